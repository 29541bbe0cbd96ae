// Files read through a small buffer split into the same lines as the whole text, wherever a line
// or its CR LF falls across the buffer's edge; and response files read that way give the answers
// and the messages of the whole-text reading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Error.h"
#include "core/Response.h"
#include "core/StreamedLines.h"
#include "core/TextLines.h"
#include "tests/support/TempDisk.h"
#include "tests/support/UserErrorText.h"

using namespace kestrune;
using kestrune::testing::TempDisk;
using kestrune::testing::textEndsWith;
using kestrune::testing::userErrorOf;

namespace {

constexpr std::size_t kBuffer = 64 << 10;  // the reader's buffer

std::vector<std::string> streamed(const std::filesystem::path& path) {
    StreamedLines lines(path);
    std::vector<std::string> read;
    std::string_view line;
    while (lines.next(line))
        read.emplace_back(line);
    return read;
}

}  // namespace

TEST(StreamedLines, EveryLineEndAtAndAroundTheBufferEdgeSplitsAsTheWholeText) {
    TempDisk disk;
    for (const std::string end : {"\r\n", "\r", "\n", "\r\r", "\n\r", "\r\n\r\n"}) {
        for (std::size_t at = kBuffer - 3; at <= kBuffer + 1; ++at) {
            for (const bool lastEnded : {true, false}) {
                std::string text(at, 'x');
                for (std::size_t k = 7; k < at; k += 11)
                    text[k] = k % 3 ? '\n' : '\r';
                text += end + "last" + (lastEnded ? "\r\n" : "");
                disk.writeBytes("f.txt", text);
                ASSERT_EQ(streamed(disk.path("f.txt")), splitLines(text))
                    << "end " << end.size() << " at " << at << " last ended " << lastEnded;
            }
        }
    }
}

TEST(StreamedLines, ALineLongerThanTheBufferAndARewindGiveTheWholeTextAgain) {
    TempDisk disk;
    const std::string text = "a\r\n" + std::string(3 * kBuffer + 5, 'y') + "\rb\n\nc";
    disk.writeBytes("f.txt", text);
    StreamedLines lines(disk.path("f.txt"));
    std::string_view line;
    ASSERT_TRUE(lines.next(line));
    EXPECT_EQ(line, "a");
    EXPECT_EQ(lines.skipRest(), 4u);
    lines.rewind();
    std::vector<std::string> again;
    lines.forEachLine([&](std::string_view each) {
        again.emplace_back(each);
        return true;
    });
    EXPECT_EQ(again, splitLines(text));
    EXPECT_TRUE(lines.allAscii());
}

TEST(ResponseFileStreamed, LineEndsOfEveryKindGiveTheSameAnswers) {
    TempDisk disk;
    for (const std::string end : {"\r\n", "\r", "\n"}) {
        disk.writeBytes("a.dat", "1,2,2" + end + "0" + end + "+1" + end + " 1" + end + "-1");
        EXPECT_EQ(ReadResponseFile(disk.path("a.dat")).answers, (std::vector<std::int32_t>{0, 1, 1, -1}));
    }
}

TEST(ResponseFileStreamed, AHeaderPromisingOneLineMoreIsRefusedBeforeABadAnswer) {
    TempDisk disk;
    disk.writeBytes("a.dat", "1,1,3\r\nx\r\n0\r\n");
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadResponseFile(disk.path("a.dat")); }),
                 "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
    disk.writeBytes("a.dat", "1,1,3\r\n0\r\n0\r\n1 \r\n");
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadResponseFile(disk.path("a.dat")); }),
                 "'1 ' は整数ではありません");
}

TEST(ResponseFileStreamed, AFileThatIsNotAsciiIsDecodedFirstAsEveryTextFile) {
    TempDisk disk;
    disk.writeBytes("a.dat", "1,1,2\r\n0\r\n\x82\x50\r\n");  // a full-width one in CP932
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadResponseFile(disk.path("a.dat")); }),
                 "'１' は整数ではありません");
    disk.writeBytes("b.dat", "1,1,1\r\n0\r\n\x82\r\n");  // a lead byte alone, after the answers
    EXPECT_EQ(userErrorOf([&] { ReadResponseFile(disk.path("b.dat")); }),
              userErrorOf([&] { readTextLines(disk.path("b.dat")); }));
    disk.writeBytes("c.dat", "x,1,1\r\n\x82\r\n");  // the decoding fails before the header is read
    EXPECT_EQ(userErrorOf([&] { ReadResponseFile(disk.path("c.dat")); }),
              userErrorOf([&] { readTextLines(disk.path("c.dat")); }));
}
