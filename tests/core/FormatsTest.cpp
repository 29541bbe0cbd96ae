// The order, vocabulary, response data and physical quantity files.
#include <gtest/gtest.h>

#include "core/Error.h"
#include "core/PhysicalQuantity.h"
#include "core/Response.h"
#include "core/ResponseBuffer.h"
#include "core/Series.h"
#include "core/TextLines.h"
#include "tests/support/TempDisk.h"
#include "tests/support/UserErrorText.h"

using namespace kestrune;
using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;
using kestrune::testing::textEndsWith;
using kestrune::testing::userErrorOf;

TEST(OrderFile, FourPanelsWriteSixPairs) {
    TempDisk disk;
    disk.makeDirectory("order");
    WriteOrderFile(disk.disk(), "s", "4", "6",
                   {{"1", "2"}, {"3", "4"}, {"1", "3"}, {"2", "4"}, {"1", "4"}, {"2", "3"}});
    EXPECT_EQ(readBytes(disk.path("order/s.ord")), "4,6\r\n1,2\r\n3,4\r\n1,3\r\n2,4\r\n1,4\r\n2,3\r\n");
    const OrderFile order = ReadOrderFile(disk.path("order/s.ord"));
    EXPECT_EQ(order.panelCount, 4);
    EXPECT_EQ(order.pairCount, 6);
    ASSERT_EQ(order.pairs.size(), 6u);
    EXPECT_EQ(order.pairs[1], (TPanelPair{3, 4}));
    // The analyses read as many pairs as a data file's header gives.
    EXPECT_EQ(ReadOrderFile(disk.path("order/s.ord"), 2).pairs.size(), 2u);
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadOrderFile(disk.path("order/s.ord"), 7); }),
                 "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
}

TEST(OrderFile, MalformedFilesGiveTheirMessages) {
    TempDisk disk;
    disk.writeLines("order/a.ord", {"3"});
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadOrderFile(disk.path("order/a.ord")); }),
                 "'' は整数ではありません");
    disk.writeLines("order/b.ord", {"3,3", "1,2", "1,x", "2,3"});
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadOrderFile(disk.path("order/b.ord")); }),
                 "'x' は整数ではありません");
    disk.writeLines("order/c.ord", {"3,3", "1,2"});
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadOrderFile(disk.path("order/c.ord")); }),
                 "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
    disk.writeBytes("order/d.ord", "3,3\r\n1,\x82\r\n");
    EXPECT_NE(userErrorOf([&] { ReadOrderFile(disk.path("order/d.ord")); }).find("d.ord"), std::string::npos);
}

TEST(VocabularyFile, WordsKeepInnerQuotesAndLoseTheirEnds) {
    TempDisk disk;
    disk.makeDirectory("paper");
    WriteVocabularyFile(disk.disk(), "s", {"明るい", "暗い"});
    EXPECT_EQ(readBytes(disk.path("paper/s.pap")),
              "2\r\n\"\x96\xbe\x82\xe9\x82\xa2\"\r\n\"\x88\xc3\x82\xa2\"\r\n");
    WriteVocabularyFile(disk.disk(), "q", {"say \"hi\" now", ""});
    EXPECT_EQ(ReadVocabularyFile(disk.path("paper/q.pap")), (std::vector<std::string>{"say \"hi\" now", ""}));
    disk.writeLines("paper/r.pap", {"1", "abc"});
    EXPECT_EQ(ReadVocabularyFile(disk.path("paper/r.pap")), (std::vector<std::string>{"b"}));
    disk.writeLines("paper/t.pap", {"3", "\"a\""});
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadVocabularyFile(disk.path("paper/t.pap")); }),
                 "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
}

TEST(WizardImport, PanelCountAndPairCountAreTestedInOrder) {
    TempDisk disk;
    disk.writeLines("order/four.ord", {"4,6", "1,2", "3,4", "+1,3", "2,04", "1,4", "2,3"});
    try {
        importOrderForWizard(disk.path("order/four.ord"), 5);
        FAIL();
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "パネルの枚数が違います");
        EXPECT_EQ(error.caption(), "エラー");
    }
    disk.writeLines("order/bad.ord", {"4,5", "1,2"});
    EXPECT_EQ(userErrorOf([&] { importOrderForWizard(disk.path("order/bad.ord"), 4); }),
              "パネルの枚数と比較回数が合いません");
    const std::vector<TPanelPair> pairs = importOrderForWizard(disk.path("order/four.ord"), 4);
    ASSERT_EQ(pairs.size(), 6u);
    EXPECT_EQ(pairs[2], (TPanelPair{1, 3}));
    EXPECT_EQ(pairs[3], (TPanelPair{2, 4}));
}

TEST(PairSet, OnlyTheCompleteSetOfDistinctPairsIsAccepted) {
    EXPECT_TRUE(isCompletePairSet(3, {{1, 2}, {3, 1}, {2, 3}}));
    EXPECT_FALSE(isCompletePairSet(3, {{1, 1}, {2, 3}, {1, 3}}));  // panel against itself
    EXPECT_FALSE(isCompletePairSet(3, {{1, 2}, {2, 1}, {2, 3}}));  // a repeated pair
    EXPECT_FALSE(isCompletePairSet(3, {{1, 2}, {1, 4}, {2, 3}}));  // outside 1..n
    EXPECT_FALSE(isCompletePairSet(3, {{1, 2}, {2, 3}}));          // too few
    EXPECT_FALSE(isCompletePairSet(4, {{1, 2}, {1, 2}, {3, 4}, {3, 4}, {1, 3}, {2, 4}}));
}

TEST(ResponseFile, OneSubjectAllAnsweredA) {
    TempDisk disk;
    const TResponseMatrix matrix{1, 3, 2, std::vector<std::int32_t>(6, 0)};
    WriteResponseFile(disk.path("a.dat"), matrix, 1);
    EXPECT_EQ(readBytes(disk.path("a.dat")), "1,3,2\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
}

TEST(ResponseFile, AnswerPositionsFollowSubjectPairImage) {
    TempDisk disk;
    TResponseMatrix matrix{2, 3, 2, std::vector<std::int32_t>(12, 0)};
    matrix.answers[matrix.indexOf(2, 1, 2)] = 1;
    WriteResponseFile(disk.path("a.dat"), matrix, 2);
    const std::vector<std::string> lines = readTextLines(disk.path("a.dat"));
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[9 - 1], "1");  // line 9
    EXPECT_EQ(ReadResponseFile(disk.path("a.dat")).at(2, 1, 2), 1);
}

TEST(ResponseFile, ShortFilesFailAndExtraLinesAreIgnored) {
    TempDisk disk;
    std::vector<std::string> lines{"2,3,2"};
    for (int n = 0; n < 11; ++n)
        lines.push_back("0");
    disk.writeLines("short.dat", lines);
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadResponseFile(disk.path("short.dat")); }),
                 "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
    lines.push_back("1");
    lines.push_back("junk");
    disk.writeLines("long.dat", lines);
    const TResponseMatrix matrix = ReadResponseFile(disk.path("long.dat"));
    EXPECT_EQ(matrix.answers.size(), 12u);
    EXPECT_EQ(matrix.answers.back(), 1);
}

TEST(ResponseFile, MalformedHeadersAndAnswers) {
    TempDisk disk;
    disk.writeLines("a.dat", {"x,3,2"});
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadResponseFile(disk.path("a.dat")); }),
                 "'x' は整数ではありません");
    disk.writeLines("b.dat", {"1,1,2", "0", "yes"});
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadResponseFile(disk.path("b.dat")); }),
                 "'yes' は整数ではありません");
    disk.writeLines("c.dat", {"1,1"});
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadResponseFile(disk.path("c.dat")); }),
                 "'' は整数ではありません");
    disk.writeBytes("d.dat", "");
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadResponseFile(disk.path("d.dat")); }),
                 "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
    // A header that promises a billion answers is refused without trying to hold them.
    disk.writeLines("e.dat", {"1000,1000,1000", "0"});
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadResponseFile(disk.path("e.dat")); }),
                 "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
    EXPECT_NE(userErrorOf([&] { ReadResponseFile(disk.path("none.dat")); }).find("は開けません"),
              std::string::npos);
}

TEST(ResponseFile, WritingWithoutTheLastSubjectDropsExactlyItsAnswers) {
    TempDisk disk;
    TResponseMatrix matrix{3, 3, 2, {}};
    for (int n = 0; n < 18; ++n)
        matrix.answers.push_back(n < 12 ? n % 2 : -1);
    WriteResponseFile(disk.path("a.dat"), matrix, 2);
    const TResponseMatrix back = ReadResponseFile(disk.path("a.dat"));
    EXPECT_EQ(back.subjects, 2);
    EXPECT_EQ(back.answers, std::vector<std::int32_t>(matrix.answers.begin(), matrix.answers.begin() + 12));
    EXPECT_EQ(SubjectCountText(disk.path("a.dat")), "2");
}

TEST(ResponseFile, FirstUnansweredGivesItsSheet) {
    TResponseMatrix matrix{2, 3, 2, std::vector<std::int32_t>(12, 0)};
    EXPECT_FALSE(FirstUnanswered(matrix));
    matrix.answers[8] = kUnanswered;
    ASSERT_EQ(FirstUnanswered(matrix), 8u);
    const SheetPosition sheet = sheetOfAnswer(matrix, 8);
    EXPECT_EQ(sheet.subject, 1);
    EXPECT_EQ(sheet.pair, 1);
}

TEST(ResponseBuffer, FourByteLittleEndianAnswersAtTheirOffsets) {
    ResponseBuffer buffer;
    buffer.resizeAnswers(12);
    EXPECT_EQ(buffer.size(), 48u);
    EXPECT_EQ(buffer.answer(11), kUnanswered);
    const std::size_t offset = ResponseBuffer::offsetOf(2, 1, 2, 3, 2);
    EXPECT_EQ(offset, 4u * 7);
    buffer.writeAt(offset, 1);
    EXPECT_EQ(buffer.bytes()[offset], 1);
    EXPECT_EQ(buffer.bytes()[offset + 1], 0);
    buffer.writeAt(0, -1);
    EXPECT_EQ(buffer.bytes()[3], 0xFF);
    buffer.writeAt(4 * 20, 0);  // writing past the end grows the stream
    EXPECT_EQ(buffer.answerCount(), 21u);
    EXPECT_THROW(buffer.readAt(4 * 21), std::out_of_range);
    const TResponseMatrix matrix = buffer.toMatrix(2, 3, 2);
    EXPECT_EQ(matrix.at(2, 1, 2), 1);
    ResponseBuffer copy;
    copy.load(matrix);
    EXPECT_EQ(copy.toMatrix(2, 3, 2).answers, matrix.answers);
}

TEST(PhysicalFile, TheExampleOfTwoQuantities) {
    TempDisk disk;
    disk.writeLines(
        "p.phy", {"2,3", "\"明度\",\"cd/m2\"", "12.5", "20.1", "31", "\"重さ\",\"\"", "105", "98.5", "110"});
    const PhysicalFile file = readPhysicalFile(disk.path("p.phy"));
    ASSERT_EQ(file.quantities.size(), 2u);
    EXPECT_EQ(file.quantities[0].name, "明度");
    EXPECT_EQ(file.quantities[0].unit, "cd/m2");
    EXPECT_EQ(file.quantities[0].values, (std::vector<std::string>{"12.5", "20.1", "31"}));
    EXPECT_EQ(file.quantities[1].name, "重さ");
    EXPECT_EQ(file.quantities[1].unit, "");
    EXPECT_EQ(file.quantities[1].values, (std::vector<std::string>{"105", "98.5", "110"}));
    disk.writeLines("short.phy", {"2,3", "\"a\",\"b\"", "1", "2", "3", "\"c\",\"d\"", "1"});
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { readPhysicalFile(disk.path("short.phy")); }),
                 "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
}

TEST(PhysicalFile, WrittenFromTheGridWithEveryRow) {
    TempDisk disk;
    writePhysicalFileFromGrid(disk.path("p.phy"), {{"物理量", "単位", "1", "2", "3"},
                                                   {"明度", "cd/m2", "12.5", "20.1", "31"},
                                                   {"", "", "1", "2", "3e-2"}});
    const std::vector<std::string> lines = readTextLines(disk.path("p.phy"));
    ASSERT_EQ(lines.size(), 1u + 2 * (3 + 1));
    EXPECT_EQ(lines[0], "2,3");
    EXPECT_EQ(lines[1], "\"明度\",\"cd/m2\"");
    EXPECT_EQ(lines[5], "\"\",\"\"");
    EXPECT_EQ(lines[8], "3e-2");
    EXPECT_EQ(readPhysicalFile(disk.path("p.phy")).quantities[1].name, "");
    EXPECT_THROW(writePhysicalFileFromGrid(disk.path("nodir/p.phy"), {{"a", "b", "1"}, {"x", "y", "1"}}),
                 UserError);
}

TEST(PhysicalFile, NameLineSplitting) {
    EXPECT_EQ(splitNameLine("\"明度\",\"cd/m2\"").unit, "cd/m2");
    EXPECT_EQ(splitNameLine("\"only name\"").name, "only name");
    EXPECT_EQ(splitNameLine("\"only name\"").unit, "");
    EXPECT_EQ(splitNameLine("xname").name, "name");
    EXPECT_EQ(splitNameLine("").name, "");
}
