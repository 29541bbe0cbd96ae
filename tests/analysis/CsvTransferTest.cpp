// Data files as CSV and back: the long and paired-comparison layouts, the import's checks and
// their line-numbered messages, and export then import giving the original bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "analysis/CsvExport.h"
#include "analysis/CsvImport.h"
#include "core/AtomicFile.h"
#include "core/Response.h"
#include "tests/support/TempDisk.h"
#include "tests/support/UserErrorText.h"

using namespace kestrune;
using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;
using kestrune::testing::userErrorOf;

namespace {

// A series with the pairs in the order and orientation given.
void makeSeries(const TempDisk& disk, const std::string& name, int panels,
                const std::vector<PairTexts>& order, const std::vector<std::string>& words) {
    disk.makeSeries(name, panels, words);
    WriteOrderFile(disk.disk(), name, std::to_string(panels), std::to_string(order.size()), order);
}

// 3 panels presented as 2-1, 1-3, 3-2; two words; two subjects.
void makeSmall(const TempDisk& disk) {
    makeSeries(disk, "色", 3, {{"2", "1"}, {"1", "3"}, {"3", "2"}}, {"明るい", "「好き」, \"とても\""});
    TResponseMatrix matrix{2, 3, 2, {0, 1, 1, -1, 0, 0, /* subject 2 */ 1, 1, 0, 0, 1, 0}};
    WriteResponseFile(disk.path("mix/色/調査.dat"), matrix, 2);
}

std::string csvOf(const TempDisk& disk, CsvLayout layout, CsvFlavour flavour = CsvFlavour::Plain) {
    return exportCsv(disk.disk(), TSexGroup::Mix, "色", "調査", layout, flavour);
}

}  // namespace

TEST(CsvExport, LongLayoutHasOneRowPerAnswerInTheFilesOrder) {
    TempDisk disk;
    makeSmall(disk);
    const std::string csv = csvOf(disk, CsvLayout::Long);
    const std::string rowStart = "色,mix,調査,";
    EXPECT_EQ(csv.substr(0, csv.find('\n')), kLongCsvHeader);
    EXPECT_NE(csv.find("\n" + rowStart + "1,1,2,1,1,明るい,0,2\n" + rowStart +
                       "1,1,2,1,2,\"「好き」, \"\"とても\"\"\",1,1\n"),
              std::string::npos)
        << csv;
    // The unanswered circle of subject 1, trial 2, image 2 leaves answer and chosen empty.
    EXPECT_NE(csv.find("\n" + rowStart + "1,2,1,3,2,\"「好き」, \"\"とても\"\"\",,\n"), std::string::npos);
    EXPECT_NE(csv.find("\n" + rowStart + "2,3,3,2,2,\"「好き」, \"\"とても\"\"\",0,3\n"), std::string::npos);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 2 * 3 * 2);
    EXPECT_EQ(csv.find('\r'), std::string::npos);

    const std::string excel = csvOf(disk, CsvLayout::Long, CsvFlavour::Excel);
    EXPECT_EQ(excel.substr(0, 3), "\xEF\xBB\xBF");
    std::string lf = excel.substr(3);
    for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;)
        lf.replace(at, 2, "\n");
    EXPECT_EQ(lf, csv);
}

TEST(CsvExport, PaircompLayoutHasOneColumnPerUnorderedPairInPsychotoolsOrder) {
    TempDisk disk;
    makeSmall(disk);
    // Columns 1:2 (trial 1, shown as 2-1), 1:3 (trial 2), 2:3 (trial 3, shown as 3-2); 1 when the
    // lower-numbered panel was chosen.
    EXPECT_EQ(csvOf(disk, CsvLayout::Paircomp),
              "subject,image,word,1:2,1:3,2:3\n"
              "1,1,明るい,-1,-1,-1\n"
              "1,2,\"「好き」, \"\"とても\"\"\",1,,-1\n"
              "2,1,明るい,1,1,1\n"
              "2,2,\"「好き」, \"\"とても\"\"\",1,1,-1\n");
    // A pair presented twice cannot be one column.
    makeSeries(disk, "色", 3, {{"1", "2"}, {"1", "3"}, {"2", "1"}}, {"明るい", "暗い"});
    EXPECT_EQ(userErrorOf([&] { csvOf(disk, CsvLayout::Paircomp); }),
              "シリーズ 色 ではパネル 1 と 2 の対が 1 番目と 3 番目の 2 "
              "回出てくるため、一対比較形式では書き出せません。");
    EXPECT_NE(csvOf(disk, CsvLayout::Long).find("色,mix,調査,1,3,2,1,1,明るい,0,2\n"), std::string::npos);
}

TEST(CsvExport, RefusesAFileThatDoesNotFitItsSeries) {
    TempDisk disk;
    makeSmall(disk);
    disk.writeLines("mix/色/短い.dat", {"1,2,2", "0", "0", "0", "0"});
    disk.writeLines("mix/色/値.dat", {"1,3,2", "0", "0", "0", "2", "0", "0"});
    EXPECT_NE(userErrorOf([&] {
                  exportCsv(disk.disk(), TSexGroup::Mix, "色", "短い", CsvLayout::Long, CsvFlavour::Plain);
              }).find("比較回数 2、イメージの数 2 がシリーズ 色 の比較回数 3、イメージの数 2 と合いません。"),
              std::string::npos);
    EXPECT_NE(userErrorOf([&] {
                  exportCsv(disk.disk(), TSexGroup::Mix, "色", "値", CsvLayout::Long, CsvFlavour::Plain);
              }).find("の 5 行目の値 2 は -1、0、1 のいずれでもありません。"),
              std::string::npos);
}

TEST(CsvRoundTrip, ExportThenImportGivesTheOriginalBytes) {
    std::mt19937 random(20261209u);
    const std::vector<std::string> pieces{"明るい", ",", "\"", "，", "”",  "Ａ",
                                          "髙",     "①", " ",  "x",  "～", "語"};
    TempDisk disk;
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const int panels = 3 + static_cast<int>(random() % 8);
        std::vector<PairTexts> order;
        for (int a = 1; a <= panels; ++a) {
            for (int b = a + 1; b <= panels; ++b)
                order.push_back(random() % 2 ? PairTexts{std::to_string(a), std::to_string(b)}
                                             : PairTexts{std::to_string(b), std::to_string(a)});
        }
        std::shuffle(order.begin(), order.end(), random);
        const int images = 1 + static_cast<int>(random() % 25);
        std::vector<std::string> words;
        for (int i = 0; i < images; ++i) {
            std::string word;
            for (unsigned k = random() % 5; k > 0; --k)
                word += pieces[random() % pieces.size()];
            words.push_back(word);
        }
        const std::string series = "系列" + std::to_string(round);
        makeSeries(disk, series, panels, order, words);
        TResponseMatrix matrix{
            1 + static_cast<int>(random() % 5), static_cast<int>(order.size()), images, {}};
        for (std::size_t k = 0; k < matrix.answerCount(); ++k)
            matrix.answers.push_back(random() % 7 == 0 ? -1 : static_cast<int>(random() % 2));
        const TSexGroup group = kAllSexGroups[random() % 3];
        const std::filesystem::path original = disk.disk().dataPath(group, series, "元");
        WriteResponseFile(original, matrix, matrix.subjects);
        for (CsvFlavour flavour : {CsvFlavour::Plain, CsvFlavour::Excel}) {
            const std::filesystem::path csv = disk.path("書き出し.csv");
            writeFileAtomically(csv, exportCsv(disk.disk(), group, series, "元", CsvLayout::Long, flavour));
            EXPECT_EQ(importLongCsv(disk.disk(), group, series, "戻り", csv), matrix.subjects);
            EXPECT_EQ(readBytes(disk.disk().dataPath(group, series, "戻り")), readBytes(original));
        }
    }
}

TEST(CsvImport, TakesColumnsByNameRowsInAnyOrderAndSubjectsAsText) {
    TempDisk disk;
    makeSmall(disk);
    // Extra columns, the columns in another order, only `chosen`, subjects named, rows shuffled,
    // a blank line and numbers as a table with empty cells writes them.
    disk.writeBytes("in.csv",
                    "\xEF\xBB\xBF"
                    "chosen,note,image,trial,subject\r\n"
                    "2,,1,1,Aさん\r\n"
                    "3,x,2,3,\"Bさん\"\r\n"
                    "1.0,,2,1,Aさん\r\n"
                    "3,,1,2,Aさん\r\n"
                    ",,2,2,Aさん\r\n"
                    "\r\n"
                    "3,,1,3,Aさん\r\n"
                    "3,,2,3,Aさん\r\n"
                    "1,,1,1,Bさん\r\n1,,2,1,Bさん\r\n1,,1,2,Bさん\r\n1,,2,2,Bさん\r\n2,,1,3,Bさん\r\n");
    EXPECT_EQ(importLongCsv(disk.disk(), TSexGroup::Female, "色", "読込", disk.path("in.csv")), 2);
    const TResponseMatrix read = ReadResponseFile(disk.path("female/色/読込.dat"));
    EXPECT_EQ(read.answers, (std::vector<std::int32_t>{0, 1, 1, -1, 0, 0, 1, 1, 0, 0, 1, 0}));
}

TEST(CsvImport, RefusesEachHostileFileNamingTheLineAndWritesNothing) {
    TempDisk disk;
    makeSmall(disk);
    const std::string header = "subject,trial,panel_a,panel_b,image,word,answer,chosen\n";
    // The export of the file: subject 1 on lines 2 to 7, subject 2 on lines 8 to 13, each in
    // the order trial 1 image 1, trial 1 image 2, trial 2 image 1, ...
    const std::string good = csvOf(disk, CsvLayout::Long);
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < good.size();) {
        const std::size_t end = good.find('\n', at) + 1;
        lines.push_back(good.substr(at, end - at));
        at = end;
    }
    const auto linesOf = [&](std::vector<int> numbers) {
        std::string text;
        for (int n : numbers)
            text += lines[n - 1];
        return text;
    };
    struct Case {
        std::string what;
        std::string csv;
        std::string message;
    };
    const std::string name = "CSV ファイル " + disk.path("in.csv").string();
    const std::string quoteOpen = good + "色,mix,調査,3,1,2,1,1,\"明るい,0,2\n3,1,2,1,2\n";
    std::string badUtf8 = good;
    badUtf8.replace(badUtf8.rfind("明るい"), 3, "\xE6\x98");
    const std::vector<Case> cases{
        {"missing column", "subject,trial,answer\n1,1,0\n", " の 1 行目: 列 image がありません"},
        {"no answer column", "subject,trial,image\n1,1,1\n", " の 1 行目: 列 answer も chosen もありません"},
        {"duplicate column", "subject,trial,image,answer,trial\n", " の 1 行目: 列 trial が 2 つあります。"},
        {"empty file", "", " の 1 行目: 見出しの行がありません"},
        {"header only", lines[0], " の 2 行目: 回答の行がありません。"},
        {"duplicate answer", good + lines[12],
         " の 14 行目: 被験者 「2」 の trial 3、image 2 の回答は 13 行目にもあります。"},
        {"missing pair", linesOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13}),
         " の 8 行目: この行の被験者 「2」 には trial 2、image 1 の行がありません"},
        {"too few rows", linesOf({1, 2, 3, 4, 5, 6, 7, 8}),
         " の 8 行目: この行の被験者 「2」 には trial 1、image 2 の行がありません(被験者ごとに 3 対 × 2 "
         "イメージの 6 行が必要です)。"},
        {"pair not in the series", header + "1,1,1,2,1,明るい,0,1\n",
         " の 2 行目: panel_a の値 「1」 はシリーズの trial 1 の対(パネル 2 と 1)と合いません。"},
        {"trial beyond the order", header + "1,4,1,2,1,明るい,0,1\n",
         " の 2 行目: trial の値 「4」 は 1 から 3 までの整数ではありません。"},
        {"answer other than 0/1", good + "色,mix,調査,3,1,2,1,1,明るい,2,\n",
         " の 14 行目: answer の値 「2」 は 0(A を選択)、1(B を選択)、空(未回答)のいずれでもありません。"},
        {"chosen neither panel", header + "1,2,1,3,1,明るい,,2\n",
         " の 2 行目: chosen の値 「2」 は trial 2 のパネル 1、3 のどちらでも空でもありません。"},
        {"answer and chosen disagree", header + "1,2,1,3,1,明るい,0,3\n",
         " の 2 行目: answer 「0」 と chosen 「3」 が合いません。"},
        {"word of another image", header + "1,2,1,3,2,明るい,0,1\n",
         " の 2 行目: word の値 「明るい」 はシリーズの image 2 の言葉"},
        {"short row", header + "1,2,1,3,1\n", " の 2 行目: 列の数が 5 で、見出しの 8 列と合いません。"},
        {"quote left open", quoteOpen, " の 14 行目: 引用符(\")が閉じられないままファイルが終わっています。"},
        {"text after a quote", header + "\"1\"x,1,2,1,1,明るい,0,2\n",
         " の 2 行目: 閉じた引用符(\")の後に区切りのコンマがありません。"},
        {"invalid UTF-8", badUtf8, " の 12 行目: UTF-8 の文字として正しくないバイトがあります"},
        {"CP932 text", header + "1,1,2,1,1,\x96\xBE\x82\xE9\x82\xA2,0,2\n",
         " の 2 行目: UTF-8 の文字として正しくないバイトがあります"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        disk.writeBytes("in.csv", c.csv);
        const std::string message =
            userErrorOf([&] { importLongCsv(disk.disk(), TSexGroup::Mix, "色", "新", disk.path("in.csv")); });
        EXPECT_EQ(message.rfind(name + c.message, 0), 0u) << message;
        EXPECT_FALSE(std::filesystem::exists(disk.path("mix/色/新.dat")));
    }
    disk.writeBytes("in.csv", good);
    EXPECT_EQ(importLongCsv(disk.disk(), TSexGroup::Mix, "色", "新", disk.path("in.csv")), 2);
    EXPECT_EQ(readBytes(disk.path("mix/色/新.dat")), readBytes(disk.path("mix/色/調査.dat")));
}

TEST(CsvImport, RefusesAHundredMegabyteLineWithoutHoldingIt) {
    TempDisk disk;
    makeSmall(disk);
    {
        std::ofstream out(disk.path("huge.csv"), std::ios::binary);
        out << "subject,trial,image,answer\n1,1,1,";
        const std::string block(1 << 20, '9');
        for (int k = 0; k < 100; ++k)
            out << block;
        out << "\n";
    }
    EXPECT_EQ(
        userErrorOf([&] { importLongCsv(disk.disk(), TSexGroup::Mix, "色", "新", disk.path("huge.csv")); }),
        "CSV ファイル " + disk.path("huge.csv").string() +
            " の 2 行目: 行が長すぎます(1 行は 1024 KB までです)。");
    EXPECT_FALSE(std::filesystem::exists(disk.path("mix/色/新.dat")));
    // A typed name that is not a plain file name never becomes a path.
    EXPECT_NE(userErrorOf(
                  [&] { importLongCsv(disk.disk(), TSexGroup::Mix, "色", "../外", disk.path("huge.csv")); }),
              "(no error)");
}

TEST(CsvImport, CountsLinesOfEveryKindOfLineEndAndInsideQuotes) {
    TempDisk disk;
    makeSmall(disk);
    // CR, LF and CR LF line ends; a note over two lines (CR LF inside its quotes) and one over
    // three (LF, then CR); the faulty row then stands on line 10.
    disk.writeBytes("in.csv",
                    "subject,trial,image,answer,note\r"
                    "1,1,1,0,\"a\r\nb\"\n"
                    "1,1,2,1,\r\n"
                    "1,2,1,1,\"x\ny\rz\"\r"
                    "1,2,2,,plain\n"
                    "1,3,1,0,\n"
                    "1,3,9,0,\n");
    EXPECT_EQ(
        userErrorOf([&] { importLongCsv(disk.disk(), TSexGroup::Mix, "色", "新", disk.path("in.csv")); }),
        "CSV ファイル " + disk.path("in.csv").string() +
            " の 10 行目: image の値 「9」 は 1 から 2 までの整数ではありません。");
    disk.writeBytes("in.csv",
                    "subject,trial,image,answer,note\r"
                    "1,1,1,0,\"a\r\nb\"\n"
                    "1,1,2,1,\r\n"
                    "1,2,1,1,\"x\ny\rz\"\r"
                    "1,2,2,,plain\n"
                    "1,3,1,0,\n"
                    "1,3,2,0,\"\"\"\"\r");
    EXPECT_EQ(importLongCsv(disk.disk(), TSexGroup::Mix, "色", "新", disk.path("in.csv")), 1);
    EXPECT_EQ(ReadResponseFile(disk.path("mix/色/新.dat")).answers,
              (std::vector<std::int32_t>{0, 1, 1, -1, 0, 0}));
}
