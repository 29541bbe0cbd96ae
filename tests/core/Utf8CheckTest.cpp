// The UTF-8 check against a plain decoder: every sequence of the forms that matter, placed at
// every offset of the blocks the check reads together, and random text with faults.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/Utf8Check.h"

using namespace kestrune;

namespace {

// Decodes each character and judges its code point; the offset of the first bad one's lead.
std::size_t firstInvalidByDecoding(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        char32_t code = lead;
        if (lead >= 0x80) {
            if ((lead >> 5) == 0x6) {
                length = 2;
                code = lead & 0x1F;
            } else if ((lead >> 4) == 0xE) {
                length = 3;
                code = lead & 0x0F;
            } else if ((lead >> 3) == 0x1E) {
                length = 4;
                code = lead & 0x07;
            } else {
                return i;
            }
            if (text.size() - i < length)
                return i;
            for (std::size_t k = 1; k < length; ++k) {
                const unsigned char next = static_cast<unsigned char>(text[i + k]);
                if ((next & 0xC0) != 0x80)
                    return i;
                code = (code << 6) | (next & 0x3F);
            }
            const char32_t lowest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
            if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                return i;
        }
        i += length;
    }
    return text.size();
}

// Byte sequences of one to four bytes covering every lead and the edges of every range of the
// bytes after it.
std::vector<std::string> sequencesToTry() {
    const std::vector<int> edges{0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xF5, 0xFF};
    std::vector<std::string> sequences;
    for (int lead = 0; lead < 256; ++lead) {
        sequences.push_back(std::string(1, static_cast<char>(lead)));
        for (int second : edges) {
            const std::string two{static_cast<char>(lead), static_cast<char>(second)};
            sequences.push_back(two);
            for (int third : {0x41, 0x80, 0xBF, 0xC0}) {
                sequences.push_back(two + static_cast<char>(third));
                for (int fourth : {0x41, 0x80, 0xBF, 0xC0})
                    sequences.push_back(two + static_cast<char>(third) + static_cast<char>(fourth));
            }
        }
    }
    return sequences;
}

}  // namespace

TEST(Utf8Check, AgreesWithDecodingOnEverySequenceAtEveryOffset) {
    // Japanese and ASCII around the sequence, so that it meets characters on both sides, and
    // offsets enough to put it across every edge of the sixteen-byte blocks.
    const std::string before = "大,male,全員,12,イメージ";
    const std::string after = ",0,1\n好き🙂";
    std::size_t tried = 0;
    for (const std::string& sequence : sequencesToTry()) {
        for (std::size_t shift = 0; shift < 34; ++shift) {
            const std::string text = before.substr(0, shift) + sequence + after;
            ASSERT_EQ(firstInvalidUtf8(text), firstInvalidByDecoding(text))
                << "sequence of " << sequence.size() << " bytes after " << shift << " bytes";
            ++tried;
        }
    }
    EXPECT_GT(tried, 100000u);
}

TEST(Utf8Check, AgreesWithDecodingOnRandomTextWithFaults) {
    const std::vector<std::string> pieces{"a",
                                          ",",
                                          "\n",
                                          "0",
                                          "é",
                                          "ß",
                                          "あ",
                                          "イメージ",
                                          "大",
                                          "\xEF\xBF\xBF",
                                          "🙂",
                                          "\xF4\x8F\xBF\xBF",
                                          "\xED\x9F\xBF",
                                          "\xEE\x80\x80"};
    std::mt19937 random(20261209);
    int faulty = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int count = static_cast<int>(random() % 120);
        for (int k = 0; k < count; ++k)
            text += pieces[random() % pieces.size()];
        // A third of the texts get one byte changed or are cut, anywhere.
        if (!text.empty() && round % 3 == 0) {
            const std::size_t at = random() % text.size();
            if (random() % 2)
                text[at] = static_cast<char>(random() % 256);
            else
                text.resize(at);
        }
        const std::size_t expected = firstInvalidByDecoding(text);
        faulty += expected != text.size();
        ASSERT_EQ(firstInvalidUtf8(text), expected) << "round " << round;
    }
    // The faults were there to find.
    EXPECT_GT(faulty, 2000);
}
