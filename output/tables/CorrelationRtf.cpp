#include "output/tables/CorrelationRtf.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "analysis/Emphasis.h"
#include "core/Cp932.h"

namespace kestrune {

namespace {

constexpr std::string_view kFontFace = "ＭＳ Ｐゴシック";

std::string hexByte(unsigned char byte) {
    static constexpr char digits[] = "0123456789abcdef";
    return std::string("\\'") + digits[byte >> 4] + digits[byte & 15];
}

// The length in bytes of the UTF-8 sequence a lead byte starts.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    return 4;
}

std::uint32_t codePoint(std::string_view sequence) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(sequence[i]); };
    switch (sequence.size()) {
        case 1:
            return byte(0);
        case 2:
            return (byte(0) & 0x1Fu) << 6 | (byte(1) & 0x3Fu);
        case 3:
            return (byte(0) & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
        default:
            return (byte(0) & 0x07u) << 18 | (byte(1) & 0x3Fu) << 12 | (byte(2) & 0x3Fu) << 6 |
                   (byte(3) & 0x3Fu);
    }
}

// Text of a cell or field in RTF: ASCII as it is (with \ { } escaped), every other character
// as \ucK\uN followed by its K CP932 bytes.
std::string rtfText(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t length =
            std::min(sequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
        const std::string_view sequence = utf8.substr(i, length);
        i += length;
        const char c = sequence.front();
        if (length == 1) {
            if (c == '\\' || c == '{' || c == '}') {
                out += '\\';
                out += c;
            } else if (c == '\t') {
                out += "\\tab ";
            } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                out += hexByte(static_cast<unsigned char>(c));
            } else {
                out += c;
            }
            continue;
        }
        const std::string bytes = encodeCp932(sequence);
        const std::uint32_t point = codePoint(sequence);
        const long signedUnit =
            point > 0x7FFF ? static_cast<long>(point) - 0x10000 : static_cast<long>(point);
        out += "\\uc" + std::to_string(bytes.size()) + "\\u" + std::to_string(signedUnit);
        for (unsigned char byte : bytes)
            out += hexByte(byte);
    }
    return out;
}

// A font name in the font table: ASCII as it is, every other character as all its CP932
// bytes in \'hh form (a trail byte in the ASCII range would otherwise read as a letter).
std::string fontName() {
    std::string out;
    for (std::size_t i = 0; i < kFontFace.size();) {
        const std::size_t length =
            std::min(sequenceLength(static_cast<unsigned char>(kFontFace[i])), kFontFace.size() - i);
        const std::string_view sequence = kFontFace.substr(i, length);
        i += length;
        if (length == 1) {
            out += sequence;
            continue;
        }
        for (unsigned char byte : encodeCp932(sequence))
            out += hexByte(byte);
    }
    return out;
}

std::string markedCell(const TextGrid& grid, int column, int row) {
    const std::string text = rtfText(grid.cell(column, row));
    const CellEmphasis emphasis = correlationCellEmphasis(grid, column, row);
    if (!emphasis.numeric || (!emphasis.bold && !emphasis.red) || text.empty())
        return text;
    std::string group = "{";
    if (emphasis.bold)
        group += "\\b";
    if (emphasis.red)
        group += "\\cf2";
    return group + " " + text + "}";
}

}  // namespace

std::string correlationRtf(const TextGrid& grid) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1041";
    rtf += "{\\fonttbl{\\f0\\fnil\\fcharset128 " + fontName() + ";}}\r\n";
    rtf += "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\r\n";
    rtf += "\\viewkind4\\uc1\\pard\\plain\\f0\\fs18\\cf1\r\n";
    for (int r = 0; r < grid.rowCount(); ++r) {
        std::string line = grid.columnCount() > 0 ? rtfText(grid.cell(0, r)) : std::string();
        for (int c = 1; c < grid.columnCount(); ++c)
            line += "\\tab " + markedCell(grid, c, r);
        rtf += line + "\\par\r\n";
    }
    rtf += "}\r\n";
    return rtf;
}

}  // namespace kestrune
