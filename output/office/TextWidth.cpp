#include "output/office/TextWidth.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kestrune::office {
namespace {

std::vector<char32_t> codePoints(std::string_view utf8) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1   ? lead
                         : length == 2 ? (lead & 0x1F)
                         : length == 3 ? (lead & 0x0F)
                                       : (lead & 0x07);
        for (int k = 1; k < length && i + k < utf8.size(); ++k)
            point = (point << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        points.push_back(point);
        i += static_cast<std::size_t>(length);
    }
    return points;
}

bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD) || c == 0x2015 || c == 0x2016 ||
           c == 0x2025 || c == 0x2026 || c == 0x203B || (c >= 0x2160 && c <= 0x2179) ||
           (c >= 0x2460 && c <= 0x24FF) || (c >= 0x2500 && c <= 0x257F) || (c >= 0x25A0 && c <= 0x25FF) ||
           (c >= 0x2600 && c <= 0x26FF) || (c >= 0x3000 && c <= 0x303F);
}

int width(char32_t c) {
    return isWide(c) ? 2 : 1;
}

}  // namespace

int displayWidth(std::string_view utf8) {
    int total = 0;
    for (char32_t c : codePoints(utf8))
        total += width(c);
    return total;
}

int widestCharacter(std::string_view utf8) {
    int widest = 0;
    for (char32_t c : codePoints(utf8))
        widest = std::max(widest, width(c));
    return widest;
}

int characterCount(std::string_view utf8) {
    return static_cast<int>(codePoints(utf8).size());
}

}  // namespace kestrune::office
