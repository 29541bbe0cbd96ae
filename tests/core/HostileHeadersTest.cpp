// Counts read from hostile files: refused before anything is sized from them, with the
// readers' messages, and series beyond the board and the analyses refused where chosen.
#include <gtest/gtest.h>

#include "core/CheckedCount.h"
#include "core/Error.h"
#include "core/PhysicalQuantity.h"
#include "core/Response.h"
#include "core/Series.h"
#include "tests/support/TempDisk.h"
#include "tests/support/UserErrorText.h"

using namespace kestrune;
using kestrune::testing::TempDisk;
using kestrune::testing::textEndsWith;
using kestrune::testing::userErrorOf;

namespace {

const std::string kListIndex = "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています";

}  // namespace

TEST(CheckedCount, ProductsAndSumsThatDoNotFitGiveNothing) {
    EXPECT_EQ(checkedProduct({100, 45, 25}), 112500);
    EXPECT_EQ(checkedProduct({2147483647, 2147483647}), std::int64_t{4611686014132420609});
    EXPECT_FALSE(checkedProduct({2147483647, 2147483647, 2147483647}));
    EXPECT_FALSE(checkedProduct({3, -1}));
    EXPECT_EQ(checkedSum({2147483647, 2147483647}), std::int64_t{4294967294});
    EXPECT_FALSE(checkedSum({INT64_MAX, 1}));
}

TEST(HostileHeaders, AnOrderFilePromisingMorePairsThanItHasLinesIsRefusedBeforeSizing) {
    TempDisk disk;
    disk.writeLines("order/s.ord", {"5,666663330", "1,2"});
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadOrderFile(disk.path("order/s.ord")); }), kListIndex);
    disk.writeLines("order/s.ord", {"5,2147483647", "1,2"});
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadOrderFile(disk.path("order/s.ord")); }), kListIndex);
}

TEST(HostileHeaders, AResponseHeaderWhoseProductOverflowsIsTheListIndexError) {
    TempDisk disk;
    disk.writeLines("male/s/f.dat", {"2147483647,2147483647,2147483647", "0"});
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadResponseFile(disk.path("male/s/f.dat")); }), kListIndex);
    disk.writeLines("male/s/f.dat", {"2147483647,2,2", "0"});
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadResponseFile(disk.path("male/s/f.dat")); }), kListIndex);
}

TEST(HostileHeaders, APhysicalHeaderOfMaximalPanelsIsTheListIndexError) {
    TempDisk disk;
    disk.writeLines("physical/s/s.phy", {"1,2147483647", "\"x\",\"\"", "1"});
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { readPhysicalFile(disk.path("physical/s/s.phy")); }),
                 kListIndex);
    disk.writeLines("physical/s/s.phy", {"2147483647,1", "\"x\",\"\"", "1"});
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { readPhysicalFile(disk.path("physical/s/s.phy")); }),
                 kListIndex);
}

TEST(HostileHeaders, AVocabularyPromisingMoreWordsThanLinesIsTheListIndexError) {
    TempDisk disk;
    disk.writeLines("paper/s.pap", {"2147483647", "\"a\""});
    EXPECT_PRED2(textEndsWith, userErrorOf([&] { ReadVocabularyFile(disk.path("paper/s.pap")); }),
                 kListIndex);
}

TEST(SupportedSeries, ASeriesBeyondTheBoardOrTheAnalysesIsRefusedWithOneMessage) {
    TempDisk disk;
    disk.makeSeries("s", 4, {"明るい", "暖かい"});
    const TSeries good = readSupportedSeries(disk.disk(), "s");
    EXPECT_EQ(good.panelCount, 4);
    EXPECT_EQ(good.pairs.size(), 6u);
    EXPECT_EQ(good.images, (std::vector<std::string>{"明るい", "暖かい"}));

    const auto refusal = [&] { return userErrorOf([&] { readSupportedSeries(disk.disk(), "s"); }); };
    disk.writeLines("order/s.ord", {"20000000,199999990000000"});
    EXPECT_PRED2(textEndsWith, refusal(), "'199999990000000' は整数ではありません");
    disk.writeLines("order/s.ord", {"20000000,1", "1,2"});
    EXPECT_EQ(refusal(),
              "シリーズ s は扱えません。パネルの数 20000000 は 2 から 10 まででなければなりません。");
    disk.writeLines("order/s.ord", {"2147483647,1", "1,2"});
    EXPECT_NE(refusal().find("パネルの数 2147483647"), std::string::npos);
    disk.writeLines("order/s.ord", {"11,55"});
    EXPECT_NE(refusal().find("パネルの数 11"), std::string::npos);
    // A pair count other than the combinations is a design of its own, taken as stored.
    disk.writeLines("order/s.ord", {"4,5", "1,2", "1,3", "1,4", "2,3", "2,4"});
    EXPECT_EQ(readSupportedSeries(disk.disk(), "s").pairs.size(), 5u);
    disk.writeLines("order/s.ord", {"3,3", "1,2", "1,5", "2,3"});
    EXPECT_EQ(
        refusal(),
        "シリーズ s は扱えません。順序ファイルの 3 行目 1,5 のパネル番号が 1 から 3 の範囲にありません。");

    disk.writeLines("order/s.ord", {"3,3", "1,2", "1,3", "2,3"});
    std::vector<std::string> words{"26"};
    for (int i = 1; i <= 26; ++i)
        words.push_back("\"w" + std::to_string(i) + "\"");
    disk.writeLines("paper/s.pap", words);
    EXPECT_EQ(refusal(), "シリーズ s は扱えません。イメージの数 26 は 1 から 25 まででなければなりません。");
    disk.writeLines("paper/s.pap", {"0"});
    EXPECT_NE(refusal().find("イメージの数 0"), std::string::npos);
}
