// The values the correlation diagram plots and its axis item texts.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/DiagramLoaders.h"
#include "core/Error.h"
#include "tests/analysis/AnalysisDisk.h"
#include "tests/support/UserErrorText.h"

using namespace kestrune;
using kestrune::testing::dataLines;
using kestrune::testing::makeWorkedExample;
using kestrune::testing::TempDisk;
using kestrune::testing::textEndsWith;

TEST(DiagramLoaders, StandardisedScoresOfTheWorkedExample) {
    TempDisk disk;
    makeWorkedExample(disk);
    const auto scores = loadStandardisedScores(disk.disk(), TSexGroup::Male, "印象", "例題", 1);
    ASSERT_TRUE(scores);
    ASSERT_EQ(scores->size(), 3u);
    // T = 75, 50, 25; SDbar = (2 · 35.3553...) / 3
    const double meanDeviation = 2 * std::sqrt(0.5) / 2 * 100 / 3;
    EXPECT_DOUBLE_EQ((*scores)[0], 25 / meanDeviation);
    EXPECT_DOUBLE_EQ((*scores)[1], 0.0);
    EXPECT_DOUBLE_EQ((*scores)[2], -25 / meanDeviation);
}

TEST(DiagramLoaders, OneSubjectOrNoSpreadGivesTheDivisionByZeroOutcome) {
    TempDisk disk;
    disk.makeSeries("印象", 3, {"明るい", "暖かい"});
    disk.writeLines("male/印象/一人.dat", dataLines(1, 3, 2, {0, 1, 0, 1, 1, 0}));
    disk.writeLines("male/印象/同じ.dat", dataLines(2, 3, 2, {0, 1, 0, 1, 1, 0, 0, 0, 0, 1, 1, 1}));
    EXPECT_FALSE(loadStandardisedScores(disk.disk(), TSexGroup::Male, "印象", "一人", 1));
    // image 1 identical for both subjects; image 2 differs
    EXPECT_FALSE(loadStandardisedScores(disk.disk(), TSexGroup::Male, "印象", "同じ", 1));
    EXPECT_TRUE(loadStandardisedScores(disk.disk(), TSexGroup::Male, "印象", "同じ", 2));
    EXPECT_EQ(kDiagramNotComputable, "#DIV/0!");
    EXPECT_EQ(kDiagramNoVariable, "#NAME?");
}

TEST(DiagramLoaders, ASingleSubjectIsFoundBeforeTheOrderFileIsRead) {
    TempDisk disk;
    disk.makeSeries("印象", 3, {"明るい"});
    disk.writeLines("male/印象/一人.dat", dataLines(1, 3, 1, {0, 1, 0}));
    std::filesystem::remove(disk.path("order/印象.ord"));
    EXPECT_FALSE(loadStandardisedScores(disk.disk(), TSexGroup::Male, "印象", "一人", 1));
    disk.writeLines("male/印象/二人.dat", dataLines(2, 3, 1, {0, 1, 0, 0, 0, 0}));
    EXPECT_THROW(loadStandardisedScores(disk.disk(), TSexGroup::Male, "印象", "二人", 1), UserError);
}

TEST(DiagramLoaders, RefusalsOfTheStandardisedScoreLoader) {
    TempDisk disk;
    makeWorkedExample(disk);
    disk.writeLines("male/印象/未回答.dat", dataLines(2, 3, 1, {0, 0, 0, 1, -1, 1}));
    disk.writeLines("male/印象/空.dat", {"0,3,1"});
    EXPECT_THROW(loadStandardisedScores(disk.disk(), TSexGroup::Male, "印象", "未回答", 1), UserError);
    EXPECT_THROW(loadStandardisedScores(disk.disk(), TSexGroup::Male, "印象", "空", 1), UserError);
    EXPECT_THROW(loadStandardisedScores(disk.disk(), TSexGroup::Male, "印象", "例題", 2), UserError);
    EXPECT_THROW(loadStandardisedScores(disk.disk(), TSexGroup::Male, "印象", "ない", 1), UserError);
    disk.writeLines("order/印象.ord", {"11,3", "1,2", "1,3", "2,3"});
    EXPECT_THROW(loadStandardisedScores(disk.disk(), TSexGroup::Male, "印象", "例題", 1), UserError);
}

TEST(DiagramLoaders, QuantityValuesAndItemTexts) {
    TempDisk disk;
    disk.makeSeries("色", 3, {"明るい", "暖かい"});
    EXPECT_TRUE(diagramQuantityItems(disk.disk(), "色").empty());
    disk.writeLines("physical/色/色.phy", {"2,3", R"("明度","cd/m2")", "12.5", "20.1", "31", R"("重さ","")",
                                           "105", "98.5", "3e-2"});
    EXPECT_EQ(loadQuantityValues(disk.disk(), "色", 1), (std::vector<double>{12.5, 20.1, 31}));
    EXPECT_EQ(loadQuantityValues(disk.disk(), "色", 2), (std::vector<double>{105, 98.5, 0.03}));
    EXPECT_THROW(loadQuantityValues(disk.disk(), "色", 3), UserError);
    EXPECT_EQ(diagramQuantityItems(disk.disk(), "色"), (std::vector<std::string>{"明度(cd/m2)", "重さ"}));
    EXPECT_EQ(diagramImageItems(disk.disk(), "色"), (std::vector<std::string>{"明るい", "暖かい"}));
}

TEST(DiagramLoaders, AShortQuantityFileStopsWithTheListIndexMessage) {
    TempDisk disk;
    disk.makeSeries("色", 3, {"明るい"});
    disk.writeLines("physical/色/色.phy", {"1,3", R"("明度","cd/m2")", "12.5"});
    try {
        loadQuantityValues(disk.disk(), "色", 1);
        FAIL() << "a short file was read";
    } catch (const UserError& error) {
        EXPECT_PRED2(textEndsWith, error.what(), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
    }
}
