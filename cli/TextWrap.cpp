#include "cli/TextWrap.h"

namespace kestrune::cli {
namespace {

struct Glyph {
    std::size_t begin;
    std::size_t end;
    char32_t code;
};

std::vector<Glyph> glyphs(std::string_view text) {
    std::vector<Glyph> out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1   ? lead
                        : length == 2 ? lead & 0x1F
                        : length == 3 ? lead & 0x0F
                                      : lead & 0x07;
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        const std::size_t end = std::min(text.size(), i + length);
        out.push_back({i, end, code});
        i = end;
    }
    return out;
}

bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6);
}

bool isClosing(char32_t c) {
    return std::u32string_view(U"、。，．）」』】〕・ー！？：；ぁぃぅぇぉっゃゅょァィゥェォッャュョ)]},.:;!?")
               .find(c) != std::u32string_view::npos;
}

bool isOpening(char32_t c) {
    return std::u32string_view(U"（「『【〔([{").find(c) != std::u32string_view::npos;
}

// A break between two neighbouring characters that are not spaces.
bool mayBreakBetween(char32_t before, char32_t after) {
    return (isWide(before) || isWide(after)) && !isClosing(after) && !isOpening(before);
}

}  // namespace

int displayWidth(std::string_view text) {
    int width = 0;
    for (const Glyph& glyph : glyphs(text))
        width += isWide(glyph.code) ? 2 : 1;
    return width;
}

std::vector<std::size_t> wideBreakOffsets(std::string_view text) {
    const std::vector<Glyph> all = glyphs(text);
    std::vector<std::size_t> offsets;
    for (std::size_t k = 0; k + 1 < all.size(); ++k) {
        if (all[k].code != U' ' && all[k + 1].code != U' ' && mayBreakBetween(all[k].code, all[k + 1].code))
            offsets.push_back(all[k].end);
    }
    return offsets;
}

std::vector<std::string> wrapParagraph(std::string_view text, int width) {
    const std::vector<Glyph> all = glyphs(text);
    std::vector<std::string> lines;
    std::size_t lineBegin = 0;  // glyph index
    while (lineBegin < all.size()) {
        int used = 0;
        std::size_t k = lineBegin;
        std::size_t lastBreak = lineBegin;  // glyph index the next line would start at
        while (k < all.size()) {
            const int w = isWide(all[k].code) ? 2 : 1;
            if (used + w > width && lastBreak > lineBegin)
                break;
            used += w;
            ++k;
            if (k < all.size() && (all[k].code == U' ' || (all[k - 1].code != U' ' &&
                                                           mayBreakBetween(all[k - 1].code, all[k].code))))
                lastBreak = k;
        }
        const std::size_t lineEnd = k == all.size() ? k : lastBreak;
        std::string line(text.substr(all[lineBegin].begin, all[lineEnd - 1].end - all[lineBegin].begin));
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        lines.push_back(line);
        lineBegin = lineEnd;
        while (lineBegin < all.size() && all[lineBegin].code == U' ')
            ++lineBegin;
    }
    return lines;
}

}  // namespace kestrune::cli
