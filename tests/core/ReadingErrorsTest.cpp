// What the readers say about a damaged or hostile file: the file and the line, with the
// runtime's text at the end; headers that cannot be right are named as such; control characters
// read from a file never reach a message raw; padding after the lines a header promises costs
// nothing and changes nothing.
#include <gtest/gtest.h>

#include <string>

#include "core/Error.h"
#include "core/IniProfile.h"
#include "core/PhysicalQuantity.h"
#include "core/Response.h"
#include "core/Series.h"
#include "core/StudyDisk.h"
#include "tests/support/TempDisk.h"
#include "tests/support/UserErrorText.h"

using namespace kestrune;
using kestrune::testing::TempDisk;
using kestrune::testing::userErrorOf;

namespace {

const std::string kListIndex = "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています";

std::string shown(const TempDisk& disk, std::string_view relative) {
    return StudyDisk::pathLabel(disk.path(relative));
}

}  // namespace

TEST(ReadingErrors, EveryReaderNamesTheFileAndTheLine) {
    TempDisk disk;
    std::vector<std::string> lines{"1000,2,1"};
    for (int k = 0; k < 2000; ++k)
        lines.push_back(k == 49 ? "a" : "0");
    disk.writeLines("male/s/壊れA.dat", lines);
    EXPECT_EQ(userErrorOf([&] { ReadResponseFile(disk.path("male/s/壊れA.dat")); }),
              "ファイル " + shown(disk, "male/s/壊れA.dat") + " の 51 行目: 'a' は整数ではありません");
    // The same in a file that is not ASCII, which takes the decoding way.
    lines[1] = "ｱ";
    disk.writeLines("male/s/壊れB.dat", lines);
    EXPECT_EQ(userErrorOf([&] { ReadResponseFile(disk.path("male/s/壊れB.dat")); }),
              "ファイル " + shown(disk, "male/s/壊れB.dat") + " の 2 行目: 'ｱ' は整数ではありません");

    disk.writeLines("order/o.ord", {"3,3", "1,2", "2,x", "1,3"});
    EXPECT_EQ(userErrorOf([&] { ReadOrderFile(disk.path("order/o.ord")); }),
              "ファイル " + shown(disk, "order/o.ord") + " の 3 行目: 'x' は整数ではありません");
    disk.writeLines("paper/p.pap", {"zwei", "\"a\""});
    EXPECT_EQ(userErrorOf([&] { ReadVocabularyFile(disk.path("paper/p.pap")); }),
              "ファイル " + shown(disk, "paper/p.pap") + " の 1 行目: 'zwei' は整数ではありません");
    disk.writeLines("physical/s/s.phy", {"1,x"});
    EXPECT_EQ(userErrorOf([&] { readPhysicalFile(disk.path("physical/s/s.phy")); }),
              "ファイル " + shown(disk, "physical/s/s.phy") + " の 1 行目: 'x' は整数ではありません");
    // A line that is missing is named with the length of the file.
    disk.writeLines("paper/q.pap", {"3", "\"a\""});
    EXPECT_EQ(userErrorOf([&] { ReadVocabularyFile(disk.path("paper/q.pap")); }),
              "ファイル " + shown(disk, "paper/q.pap") +
                  " の 1 行目: 見出し '3' の数では 4 行目まで要りますが、"
                  "ファイルは 2 行です: " +
                  kListIndex);
}

TEST(ReadingErrors, HeadersThatCannotBeRightAreNamedWithTheirFile) {
    TempDisk disk;
    const std::string data = shown(disk, "male/s/d.dat");
    disk.writeLines("male/s/d.dat", {"2147483647,2147483647,2147483647", "0"});
    EXPECT_EQ(userErrorOf([&] { ReadResponseFile(disk.path("male/s/d.dat")); }),
              "ファイル " + data +
                  " の 1 行目: 見出し '2147483647,2147483647,2147483647' の数が大きすぎます: " + kListIndex);
    disk.writeLines("male/s/d.dat", {"-1,10,8", "0"});
    EXPECT_EQ(userErrorOf([&] { ReadResponseFile(disk.path("male/s/d.dat")); }),
              "ファイル " + data + " の 1 行目: 見出し '-1,10,8' に負の数があります: " + kListIndex);
    disk.writeLines("order/s.ord", {"5,2147483647", "1,2"});
    EXPECT_EQ(userErrorOf([&] { ReadOrderFile(disk.path("order/s.ord")); }),
              "ファイル " + shown(disk, "order/s.ord") +
                  " の 1 行目: 見出し '5,2147483647' の数では 2147483648 行目まで要りますが、ファイルは 2 "
                  "行です: " +
                  kListIndex);
    disk.writeBytes("order/e.ord", "");
    EXPECT_EQ(userErrorOf([&] { ReadOrderFile(disk.path("order/e.ord")); }),
              "ファイル " + shown(disk, "order/e.ord") + " は空です: " + kListIndex);
    disk.writeBytes("male/s/e.dat", "");
    EXPECT_EQ(userErrorOf([&] { ReadResponseFile(disk.path("male/s/e.dat")); }),
              "ファイル " + shown(disk, "male/s/e.dat") + " は空です: " + kListIndex);
}

TEST(ReadingErrors, OrderFilesOfAnyPairCountUpToEveryOrderedPairAreTaken) {
    TempDisk disk;
    disk.makeSeries("heavy", 5, {"重い"});
    // Every pair of five panels in both orders, as in the classic lifted-weights design.
    std::vector<std::string> order{"5,20"};
    for (int a = 1; a <= 5; ++a) {
        for (int b = 1; b <= 5; ++b) {
            if (a != b)
                order.push_back(std::to_string(a) + "," + std::to_string(b));
        }
    }
    disk.writeLines("order/heavy.ord", order);
    const TSeries series = readSupportedSeries(disk.disk(), "heavy");
    EXPECT_EQ(series.pairCount, 20);
    ASSERT_EQ(series.pairs.size(), 20u);
    EXPECT_EQ(series.pairs.back(), (TPanelPair{5, 4}));
    // Fewer pairs than the combinations, down to one.
    disk.writeLines("order/heavy.ord", {"5,1", "2,4"});
    EXPECT_EQ(readSupportedSeries(disk.disk(), "heavy").pairs, (std::vector<TPanelPair>{{2, 4}}));
    // Beyond every ordered pair of ten panels, none at all, and a pair of one panel are refused.
    disk.writeLines("order/heavy.ord", {"5,91", "1,2"});
    EXPECT_EQ(userErrorOf([&] { readSupportedSeries(disk.disk(), "heavy"); }),
              "シリーズ heavy は扱えません。比較回数 91 は 1 から 90 まででなければなりません。");
    disk.writeLines("order/heavy.ord", {"5,0"});
    EXPECT_EQ(userErrorOf([&] { readSupportedSeries(disk.disk(), "heavy"); }),
              "シリーズ heavy は扱えません。比較回数 0 は 1 から 90 まででなければなりません。");
    disk.writeLines("order/heavy.ord", {"5,2", "1,2", "3,3"});
    EXPECT_EQ(userErrorOf([&] { readSupportedSeries(disk.disk(), "heavy"); }),
              "シリーズ heavy は扱えません。順序ファイルの 3 行目 3,3 は同じパネルどうしの組です。");
    // The wizard's import still asks for every combination once.
    disk.writeLines("order/heavy.ord", order);
    EXPECT_EQ(userErrorOf([&] { importOrderForWizard(disk.path("order/heavy.ord"), 5); }),
              "パネルの枚数と比較回数が合いません");
}

TEST(ReadingErrors, ControlCharactersReadFromAFileAreShownVisiblyAndNeverCutAMessage) {
    TempDisk disk;
    disk.writeBytes("male/s/esc.dat", "1,1,1\r\n\x1b]0;PWNED\x07\x1b[2J\r\n");
    const std::string escape = userErrorOf([&] { ReadResponseFile(disk.path("male/s/esc.dat")); });
    EXPECT_EQ(escape.find('\x1b'), std::string::npos) << escape;
    EXPECT_NE(escape.find("'\\x1b]0;PWNED\\x07\\x1b[2J' は整数ではありません"), std::string::npos) << escape;
    disk.writeBytes("male/s/nul.dat", std::string("1,1,1\r\n1\0\r\n", 11));
    const std::string nul = userErrorOf([&] { ReadResponseFile(disk.path("male/s/nul.dat")); });
    EXPECT_TRUE(nul.ends_with("'1\\x00' は整数ではありません")) << nul;
    EXPECT_EQ(visibleControls("a\tb\nc\x7f\xc2\x9b"), "a\tb\nc\\x7f\\u009b");
}

TEST(ReadingErrors, PaddingAfterTheLinesAHeaderPromisesChangesNothing) {
    TempDisk disk;
    const std::string padding(16u << 20, '\n');
    disk.makeSeries("s", 3, {"明るい"});
    disk.writeBytes("order/s.ord", "3,3\r\n1,2\r\n2,3\r\n1,3\r\n" + padding);
    disk.writeBytes("paper/s.pap", "1\r\n\"\x96\xbe\x82\xe9\x82\xa2\"\r\n" + padding);
    disk.writeBytes("physical/s/s.phy", "1,3\r\n\"q\",\"\"\r\n1\r\n2\r\n3\r\n" + padding);
    disk.writeBytes("kestrune.ini", padding + "[groups]\r\ns=comment\r\n" + padding);
    disk.writeBytes("male/s/f.dat", "1,3,1\r\n0\r\n1\r\n0\r\n" + padding);
    const TSeries series = readSupportedSeries(disk.disk(), "s");
    EXPECT_EQ(series.pairs, (std::vector<TPanelPair>{{1, 2}, {2, 3}, {1, 3}}));
    EXPECT_EQ(series.images, std::vector<std::string>{"明るい"});
    EXPECT_EQ(readPhysicalFile(disk.path("physical/s/s.phy")).quantities.at(0).values,
              (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(disk.disk().ReadSeriesComment("s"), "comment");
    EXPECT_EQ(ReadResponseFile(disk.path("male/s/f.dat")).answers, (std::vector<std::int32_t>{0, 1, 0}));
    // A header that asks for more lines than the padding holds is still refused.
    disk.writeBytes("order/s.ord", "3,50000000\r\n" + padding);
    EXPECT_TRUE(userErrorOf([&] { ReadOrderFile(disk.path("order/s.ord")); }).ends_with(kListIndex));
}

TEST(ReadingErrors, AMegabyteLineIsQuotedByItsBeginning) {
    TempDisk disk;
    disk.writeBytes("paper/long.pap", std::string(4u << 20, 'a'));
    const std::string message = userErrorOf([&] { ReadVocabularyFile(disk.path("paper/long.pap")); });
    EXPECT_EQ(message, "ファイル " + shown(disk, "paper/long.pap") + " の 1 行目: '" + std::string(200, 'a') +
                           "…' は整数ではありません");
}

TEST(ReadingErrors, EveryLineOfALongFileIsReadOnce) {
    TempDisk disk;
    // 200,000 pair lines: read one after another, never again from the start for each.
    std::string order = "3,200000\r\n";
    for (int k = 0; k < 200000; ++k)
        order += "1,2\r\n";
    disk.writeBytes("order/long.ord", order);
    const OrderFile file = ReadOrderFile(disk.path("order/long.ord"));
    ASSERT_EQ(file.pairs.size(), 200000u);
    EXPECT_EQ(file.pairs.back(), (TPanelPair{1, 2}));
}
