// The individual data table and its store, image by image.
#include <gtest/gtest.h>

#include "analysis/AnalysisGrids.h"
#include "analysis/IndividualView.h"
#include "core/Error.h"
#include "tests/analysis/AnalysisDisk.h"

using namespace kestrune;
using kestrune::testing::dataLines;
using kestrune::testing::makeWorkedExample;
using kestrune::testing::TempDisk;

namespace {

using Cells = std::vector<std::string>;

Cells row(const TextGrid& grid, int r) {
    Cells cells;
    for (int c = 0; c < grid.columnCount(); ++c)
        cells.push_back(grid.cell(c, r));
    return cells;
}

// Two images: image 1 the worked example, image 2 where both subjects prefer panel 3.
void makeTwoImages(const TempDisk& disk) {
    disk.makeSeries("印象", 3, {"明るい", "暖かい"});
    disk.writeLines("male/印象/二語.dat", dataLines(2, 3, 2, {0, 1, 0, 1, 0, 1, 1, 1, 0, 1, 1, 1}));
}

}  // namespace

TEST(IndividualView, WorkedExampleShowsEachSubjectsWinCounts) {
    TempDisk disk;
    makeWorkedExample(disk);
    const IndividualTable table = viewIndividual(disk.disk(), TSexGroup::Male, "印象", "例題");
    ASSERT_EQ(table.grid.rowCount(), 3);
    EXPECT_EQ(row(table.grid, 0), (Cells{"", "1", "2", "3"}));
    EXPECT_EQ(row(table.grid, 1), (Cells{"1", "2", "1", "0"}));
    EXPECT_EQ(row(table.grid, 2), (Cells{"2", "1", "1", "1"}));
    EXPECT_EQ(table.imageWords, (Cells{"明るい"}));
}

TEST(IndividualView, StoreRunsImageByImageThenSubjectBySubject) {
    TempDisk disk;
    makeTwoImages(disk);
    const IndividualTable table = viewIndividual(disk.disk(), TSexGroup::Male, "印象", "二語");
    ASSERT_EQ(table.store.records.size(), 4u);
    EXPECT_EQ(table.store.records[0], (std::vector<std::int32_t>{2, 1, 0}));  // image 1, subject 1
    EXPECT_EQ(table.store.records[1], (std::vector<std::int32_t>{1, 1, 1}));  // image 1, subject 2
    EXPECT_EQ(table.store.records[2], (std::vector<std::int32_t>{0, 1, 2}));  // image 2, subject 1
    EXPECT_EQ(table.store.records[3], (std::vector<std::int32_t>{0, 1, 2}));  // image 2, subject 2
}

TEST(IndividualView, SwitchingTheTabChangesOnlyTheCountCells) {
    TempDisk disk;
    makeTwoImages(disk);
    IndividualTable table = viewIndividual(disk.disk(), TSexGroup::Male, "印象", "二語");
    showImage(table.grid, table.store, 1);
    EXPECT_EQ(row(table.grid, 0), (Cells{"", "1", "2", "3"}));
    EXPECT_EQ(row(table.grid, 1), (Cells{"1", "0", "1", "2"}));
    EXPECT_EQ(row(table.grid, 2), (Cells{"2", "0", "1", "2"}));
}

TEST(IndividualView, AStoreOfFewerPanelsThanTheGridLeavesTheExtraCellsEmpty) {
    TempDisk disk;
    makeWorkedExample(disk);
    IndividualTable table = viewIndividual(disk.disk(), TSexGroup::Male, "印象", "例題");
    setUpIndividualGrid(table.grid, 5);  // a change of series keeps the store
    showImage(table.grid, table.store, 0);
    EXPECT_EQ(row(table.grid, 1), (Cells{"1", "2", "1", "0", "", ""}));
    showImage(table.grid, table.store, 3);  // a tab beyond the stored images
    EXPECT_EQ(row(table.grid, 2), (Cells{"2", "", "", "", "", ""}));
}

TEST(IndividualView, FailureLeavesGridAndStoreAsTheyWere) {
    TempDisk disk;
    makeWorkedExample(disk);
    disk.writeLines("male/印象/未回答.dat", dataLines(1, 3, 1, {0, -1, 0}));
    IndividualTable table = viewIndividual(disk.disk(), TSexGroup::Male, "印象", "例題");
    const IndividualStore before = table.store;
    EXPECT_THROW(
        viewIndividualInto(table.grid, table.store, disk.disk(), TSexGroup::Male, "印象", "未回答", 0),
        UserError);
    EXPECT_EQ(table.store.records, before.records);
    EXPECT_EQ(table.grid.rowCount(), 3);
    EXPECT_EQ(row(table.grid, 2), (Cells{"2", "1", "1", "1"}));
}

TEST(IndividualView, OneSubjectGivesOneDataRow) {
    TempDisk disk;
    disk.makeSeries("印象", 3, {"明るい"});
    disk.writeLines("male/印象/一人.dat", dataLines(1, 3, 1, {1, 1, 1}));
    const IndividualTable table = viewIndividual(disk.disk(), TSexGroup::Male, "印象", "一人");
    ASSERT_EQ(table.grid.rowCount(), 2);
    EXPECT_EQ(row(table.grid, 1), (Cells{"1", "0", "1", "2"}));
}
