// The scale value table of a data file, cell by cell, and its refusals.
#include <gtest/gtest.h>

#include "analysis/ScaleValueAggregation.h"
#include "core/Error.h"
#include "tests/analysis/AnalysisDisk.h"

using namespace kestrune;
using kestrune::testing::dataLines;
using kestrune::testing::makeWorkedExample;
using kestrune::testing::TempDisk;

namespace {

std::vector<std::string> row(const TextGrid& grid, int r) {
    std::vector<std::string> cells;
    for (int c = 0; c < grid.columnCount(); ++c)
        cells.push_back(grid.cell(c, r));
    return cells;
}

using Cells = std::vector<std::string>;

std::string refusal(const TempDisk& disk, TSexGroup group, const std::string& file) {
    try {
        aggregateScaleValues(disk.disk(), group, "印象", file);
    } catch (const UserError& error) {
        return error.what();
    }
    return "no error";
}

}  // namespace

TEST(ScaleValueAggregation, WorkedExampleGivesExactlyItsCells) {
    TempDisk disk;
    makeWorkedExample(disk);
    const ScaleValueTable table = aggregateScaleValues(disk.disk(), TSexGroup::Male, "印象", "例題");
    ASSERT_EQ(table.grid.columnCount(), 6);
    ASSERT_EQ(table.grid.rowCount(), 4);
    EXPECT_EQ(row(table.grid, 0), (Cells{"", "", "1", "2", "3", "平均"}));
    EXPECT_EQ(row(table.grid, 1), (Cells{"明るい", "100点換算得点", "75.000", "50.000", "25.000", ""}));
    EXPECT_EQ(row(table.grid, 2), (Cells{"", "標準偏差", "35.355", "0.000", "35.355", "23.570"}));
    EXPECT_EQ(row(table.grid, 3), (Cells{"", "標準偏差基準化得点", "1.061", "0.000", "-1.061", ""}));
    EXPECT_EQ(table.pathLabel, StudyDisk::pathLabel(disk.path("male/印象/例題.dat")));
    EXPECT_EQ(table.grid.fixedColumns, 2);
    EXPECT_EQ(table.grid.fixedRows, 1);
    EXPECT_EQ(table.grid.columnWidth(0), 2 * table.grid.columnWidth(2));
    EXPECT_EQ(table.grid.rowHeight(1), 24);
}

TEST(ScaleValueAggregation, OneSubjectShowsDashesForEveryDeviationAndStandardisedCell) {
    TempDisk disk;
    disk.makeSeries("印象", 3, {"明るい", "暖かい"});
    disk.writeLines("female/印象/一人.dat", dataLines(1, 3, 2, {0, 0, 0, 1, 1, 1}));
    const TextGrid grid = aggregateScaleValues(disk.disk(), TSexGroup::Female, "印象", "一人").grid;
    EXPECT_EQ(row(grid, 1), (Cells{"明るい", "100点換算得点", "100.000", "0.000", "50.000", ""}));
    EXPECT_EQ(row(grid, 2), (Cells{"", "標準偏差", "-", "-", "-", "-"}));
    EXPECT_EQ(row(grid, 3), (Cells{"", "標準偏差基準化得点", "-", "-", "-", ""}));
    EXPECT_EQ(row(grid, 4), (Cells{"暖かい", "100点換算得点", "50.000", "0.000", "100.000", ""}));
    EXPECT_EQ(row(grid, 5), (Cells{"", "標準偏差", "-", "-", "-", "-"}));
}

TEST(ScaleValueAggregation, IdenticalSubjectsGiveZeroDeviationAndNoStandardisedScore) {
    TempDisk disk;
    disk.makeSeries("印象", 3, {"明るい"});
    disk.writeLines("male/印象/同じ.dat", dataLines(2, 3, 1, {0, 0, 0, 0, 0, 0}));
    const TextGrid grid = aggregateScaleValues(disk.disk(), TSexGroup::Male, "印象", "同じ").grid;
    EXPECT_EQ(row(grid, 1), (Cells{"明るい", "100点換算得点", "100.000", "50.000", "0.000", ""}));
    EXPECT_EQ(row(grid, 2), (Cells{"", "標準偏差", "0.000", "0.000", "0.000", "0.000"}));
    EXPECT_EQ(row(grid, 3), (Cells{"", "標準偏差基準化得点", "-", "-", "-", ""}));
}

TEST(ScaleValueAggregation, ScoresOfAnImageAverageFiftyWithACompletePairList) {
    TempDisk disk;
    disk.makeSeries("印象", 5, {"a", "b"});
    std::vector<int> answers;
    for (int n = 0; n < 3 * 10 * 2; ++n)
        answers.push_back((n * 7 + n / 3) % 2);
    disk.writeLines("mix/印象/五.dat", dataLines(3, 10, 2, answers));
    const ScaleValueTable table = aggregateScaleValues(disk.disk(), TSexGroup::Mix, "印象", "五");
    for (int m = 1; m <= 2; ++m) {
        double sum = 0;
        for (int k = 1; k <= 5; ++k)
            sum += std::stod(table.grid.cell(k + 1, 3 * m - 2));
        EXPECT_NEAR(sum / 5, 50.0, 0.002) << "image " << m;
    }
}

TEST(ScaleValueAggregation, FailureLeavesThePreparedGridUntouched) {
    TempDisk disk;
    makeWorkedExample(disk);
    disk.writeLines("male/印象/短い.dat", {"2,3,1", "0", "0"});
    TextGrid grid = aggregateScaleValues(disk.disk(), TSexGroup::Male, "印象", "例題").grid;
    const TextGrid before = grid;
    EXPECT_THROW(aggregateIntoGrid(grid, disk.disk(), TSexGroup::Male, "印象", "短い"), UserError);
    EXPECT_THROW(aggregateIntoGrid(grid, disk.disk(), TSexGroup::Male, "印象", "ない"), UserError);
    for (int r = 0; r < grid.rowCount(); ++r)
        EXPECT_EQ(row(grid, r), row(before, r));
}

TEST(ScaleValueAggregation, CountsFromTheResponseBufferWhenGivenOne) {
    TempDisk disk;
    makeWorkedExample(disk);
    TextGrid grid = makeScaleValueGrid(readAnalysisPageLabels(disk.disk(), "印象"));
    ResponseBuffer buffer;
    aggregateIntoGrid(grid, disk.disk(), TSexGroup::Male, "印象", "例題", &buffer);
    ASSERT_EQ(buffer.answerCount(), 6u);
    EXPECT_EQ(buffer.answer(3), 1);
    EXPECT_EQ(row(grid, 1), (Cells{"明るい", "100点換算得点", "75.000", "50.000", "25.000", ""}));
}

TEST(ScaleValueAggregation, SetUpClearsTheValuesOfTheSeriesBefore) {
    TempDisk disk;
    makeWorkedExample(disk);
    TextGrid grid = aggregateScaleValues(disk.disk(), TSexGroup::Male, "印象", "例題").grid;
    setUpScaleValueGrid(grid, 4, {"x"});
    EXPECT_EQ(row(grid, 0), (Cells{"", "", "1", "2", "3", "4", "平均"}));
    EXPECT_EQ(row(grid, 1), (Cells{"x", "100点換算得点", "", "", "", "", ""}));
}

TEST(ScaleValueAggregation, OutOfLimitFilesAreRefusedNamingWhatAndWhere) {
    TempDisk disk;
    disk.makeSeries("印象", 3, {"明るい"});
    disk.writeLines("male/印象/多い.dat", dataLines(101, 3, 1, std::vector<int>(303, 0)));
    disk.writeLines("male/印象/空.dat", {"0,3,1"});
    disk.writeLines("male/印象/未回答.dat", dataLines(1, 3, 1, {0, -1, 0}));
    disk.writeLines("male/印象/二.dat", dataLines(1, 3, 1, {0, 0, 2}));
    disk.writeLines("male/印象/比較.dat", dataLines(1, 51, 1, std::vector<int>(51, 0)));
    disk.writeLines("male/印象/言葉.dat", dataLines(1, 3, 26, std::vector<int>(78, 0)));
    const std::string many = refusal(disk, TSexGroup::Male, "多い");
    EXPECT_NE(many.find("多い.dat"), std::string::npos) << many;
    EXPECT_NE(many.find("被験者数 101"), std::string::npos) << many;
    EXPECT_NE(refusal(disk, TSexGroup::Male, "空").find("被験者のデータがありません"), std::string::npos);
    const std::string unanswered = refusal(disk, TSexGroup::Male, "未回答");
    EXPECT_NE(unanswered.find("3 行目は未回答 (-1)"), std::string::npos) << unanswered;
    EXPECT_NE(refusal(disk, TSexGroup::Male, "二").find("4 行目の回答 2"), std::string::npos);
    EXPECT_NE(refusal(disk, TSexGroup::Male, "比較").find("比較回数 51"), std::string::npos);
    EXPECT_NE(refusal(disk, TSexGroup::Male, "言葉").find("イメージの数 26"), std::string::npos);
}

TEST(ScaleValueAggregation, OrderFilesBeyondTheTablesAreRefused) {
    TempDisk disk;
    disk.makeSeries("印象", 3, {"明るい"});
    disk.writeLines("male/印象/例題.dat", dataLines(1, 3, 1, {0, 0, 0}));
    disk.writeLines("order/印象.ord", {"3,3", "1,2", "1,11", "2,3"});
    // The series itself is refused where it is chosen, before the grid is sized from it.
    const std::string panel = refusal(disk, TSexGroup::Male, "例題");
    EXPECT_NE(panel.find("シリーズ 印象 は扱えません。順序ファイルの 3 行目 1,11"), std::string::npos)
        << panel;
    disk.writeLines("order/印象.ord", {"11,3", "1,2", "1,3", "2,3"});
    EXPECT_NE(refusal(disk, TSexGroup::Male, "例題").find("パネルの数 11"), std::string::npos);
    disk.writeLines("order/印象.ord", {"3,3", "1,2", "1,3"});
    EXPECT_NE(refusal(disk, TSexGroup::Male, "例題").find("ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています"),
              std::string::npos);
}

TEST(ScaleValueAggregation, AFileWhoseImagesDifferFromTheSeriesIsRefused) {
    TempDisk disk;
    disk.makeSeries("印象", 3, {"明るい", "暖かい"});
    disk.writeLines("male/印象/一語.dat", dataLines(1, 3, 1, {0, 0, 0}));
    EXPECT_NE(refusal(disk, TSexGroup::Male, "一語").find("シリーズのイメージの数 2 と合っていません"),
              std::string::npos);
}

TEST(ScaleValueAggregation, AGridSetUpBeforeTheDiskChangedIsRefused) {
    TempDisk disk;
    makeWorkedExample(disk);
    TextGrid grid;
    setUpScaleValueGrid(grid, 4, {"明るい"});
    try {
        aggregateIntoGrid(grid, disk.disk(), TSexGroup::Male, "印象", "例題");
        FAIL() << "a grid of four panels took three";
    } catch (const UserError& error) {
        EXPECT_NE(std::string(error.what()).find("パネルの数 3 が表のパネルの数 4"), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(grid.cell(2, 1), "");
}

TEST(ScaleValueAggregation, MalformedFilesKeepTheReadersMessages) {
    TempDisk disk;
    disk.makeSeries("印象", 3, {"明るい"});
    disk.writeLines("male/印象/字.dat", {"1,3,1", "0", "x", "0"});
    EXPECT_NE(refusal(disk, TSexGroup::Male, "字").find("'x' は整数ではありません"), std::string::npos);
    EXPECT_NE(refusal(disk, TSexGroup::Male, "ない").find("は開けません"), std::string::npos);
}
