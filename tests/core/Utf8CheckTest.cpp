// The UTF-8 check against a plain decoder: every sequence of the forms that matter, placed at
// every offset of the blocks the check reads together, and random text with faults.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/Utf8Check.h"
#include "tests/support/Utf8Decoding.h"

using namespace kestrune;
using kestrune::testing::firstInvalidByDecoding;

namespace {

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
