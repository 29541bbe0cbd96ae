// The rich text carries the matrix's text: read back as an older word processor reads it
// (the CP932 bytes of \'hh) and as a Unicode one reads it (\uN), both give the tab lines.
#include <gtest/gtest.h>

#include <cctype>

#include "core/Cp932.h"
#include "output/tables/CorrelationExport.h"
#include "output/tables/CorrelationRtf.h"

using namespace kestrune;

namespace {

std::string utf8Of(long point) {
    if (point < 0)
        point += 0x10000;
    std::string out;
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
    return out;
}

// The body text of the document after the header groups: `unicode` takes \uN and skips the
// \ucN bytes that follow, otherwise the bytes are taken and \uN ignored.
std::string bodyText(const std::string& rtf, bool unicode) {
    std::string bytes;
    std::size_t i = rtf.find("\\viewkind4");
    int skip = 0;
    int unicodeSkip = 1;
    while (i < rtf.size()) {
        const char c = rtf[i];
        if (c == '{' || c == '}' || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            bytes += c;
            ++i;
            continue;
        }
        if (rtf[i + 1] == '\'') {
            const int byte = std::stoi(rtf.substr(i + 2, 2), nullptr, 16);
            if (skip > 0) {
                --skip;
            } else {
                bytes += static_cast<char>(byte);
            }
            i += 4;
            continue;
        }
        if (!std::isalpha(static_cast<unsigned char>(rtf[i + 1]))) {
            bytes += rtf[i + 1];
            i += 2;
            continue;
        }
        std::size_t j = i + 1;
        while (std::isalpha(static_cast<unsigned char>(rtf[j])))
            ++j;
        const std::string word = rtf.substr(i + 1, j - i - 1);
        std::size_t k = j;
        if (rtf[k] == '-')
            ++k;
        while (std::isdigit(static_cast<unsigned char>(rtf[k])))
            ++k;
        const std::string number = rtf.substr(j, k - j);
        if (rtf[k] == ' ')
            ++k;
        i = k;
        if (word == "tab")
            bytes += '\t';
        if (word == "par")
            bytes += '\n';
        if (word == "uc")
            unicodeSkip = std::stoi(number);
        if (word == "u" && unicode) {
            bytes += encodeCp932(utf8Of(std::stol(number)));
            skip = unicodeSkip;
        }
    }
    return decodeCp932(bytes, "rtf");
}

}  // namespace

TEST(TableRtfText, BothReadingsGiveTheTabLines) {
    TextGrid grid(3, 3);
    const char* cells[3][3] = {
        {"", "明るい", "ｶﾅ・髙"}, {"明度", "0.8123", "#DIV/0!"}, {"重さ", "-0.9000", "{x}"}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            grid.setCell(c, r, cells[r][c]);
    }
    std::string expected;
    for (const std::string& line : correlationTabLines(grid))
        expected += line + "\n";
    const std::string rtf = correlationRtf(grid);
    EXPECT_EQ(bodyText(rtf, false), expected);
    EXPECT_EQ(bodyText(rtf, true), expected);
    for (char c : rtf)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80) << "the document is plain ASCII";
}
