// The correlation matrix of a study disk: headers, loaders, early stops and refusals.
#include <gtest/gtest.h>

#include "analysis/CorrelationLoaders.h"
#include "analysis/CorrelationMatrix.h"
#include "core/Error.h"
#include "tests/analysis/AnalysisDisk.h"
#include "tests/support/UserErrorText.h"

using namespace kestrune;
using kestrune::testing::dataLines;
using kestrune::testing::TempDisk;
using kestrune::testing::textEndsWith;

namespace {

using Cells = std::vector<std::string>;

Cells row(const TextGrid& grid, int r) {
    Cells cells;
    for (int c = 0; c < grid.columnCount(); ++c)
        cells.push_back(grid.cell(c, r));
    return cells;
}

const CorrelationSide kPhysical{CorrelationKind::Physical, TSexGroup::Male, {}};

CorrelationSide images(const std::string& file, TSexGroup group = TSexGroup::Male) {
    return {CorrelationKind::Images, group, file};
}

// Four panels, three images; image 3 is chosen cyclically so that every panel has the same
// win total.
void makeFourPanels(const TempDisk& disk) {
    disk.makeSeries("色", 4, {"明るい", "暖かい", "同じ"});
    // pairs (1,2) (1,3) (1,4) (2,3) (2,4) (3,4); per pair the answers of images 1..3
    disk.writeLines("male/色/調査.dat",
                    dataLines(2, 6, 3, {0, 1, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0,  //
                                        0, 1, 1, 0, 0, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, 0, 1, 1}));
    disk.writeLines("physical/色/色.phy",
                    {"2,4", R"("明度","cd/m2")", "1", "2", "3", "4", R"("重さ","")", "4", "3", "3", "1"});
}

}  // namespace

TEST(CorrelationMatrix, ImagesAgainstTheSameImagesAreSymmetricWithOnesOnTheDiagonal) {
    TempDisk disk;
    makeFourPanels(disk);
    const TextGrid grid = correlationMatrix(disk.disk(), "色", images("調査"), images("調査"));
    ASSERT_EQ(grid.columnCount(), 4);
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(row(grid, 0), (Cells{"", "明るい", "暖かい", "同じ"}));
    for (int r = 1; r <= 2; ++r) {
        EXPECT_EQ(grid.cell(r, r), "1.0000");
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(grid.cell(c, r), grid.cell(r, c)) << c << "," << r;
    }
    EXPECT_EQ(grid.columnWidth(0), 2 * grid.columnWidth(1));
}

TEST(CorrelationMatrix, AnImageWithEqualWinTotalsGivesDivisionByZeroInItsRowAndColumn) {
    TempDisk disk;
    makeFourPanels(disk);
    const VariableSet set = loadImageVariables(disk.disk(), TSexGroup::Male, "色", "調査");
    ASSERT_EQ(set.variableCount(), 3);
    const double total = set.values[2][0];
    for (double value : set.values[2])
        EXPECT_EQ(value, total);
    const TextGrid grid = correlationMatrix(disk.disk(), "色", images("調査"), images("調査"));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(grid.cell(3, i), "#DIV/0!");
        EXPECT_EQ(grid.cell(i, 3), "#DIV/0!");
    }
}

TEST(CorrelationMatrix, ImageLoaderGivesTheWinTotalsOfEveryPanel) {
    TempDisk disk;
    disk.makeSeries("印象", 3, {"明るい"});
    disk.writeLines("male/印象/例題.dat", dataLines(2, 3, 1, {0, 0, 0, 1, 0, 1}));
    const VariableSet set = loadImageVariables(disk.disk(), TSexGroup::Male, "印象", "例題");
    EXPECT_EQ(set.panelCount, 3);
    EXPECT_EQ(set.values, (std::vector<std::vector<double>>{{3, 2, 1}}));
}

TEST(CorrelationMatrix, PhysicalRowsAgainstImageColumns) {
    TempDisk disk;
    makeFourPanels(disk);
    const TextGrid grid = correlationMatrix(disk.disk(), "色", images("調査"), kPhysical);
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.cell(0, 1), "明度");
    EXPECT_EQ(grid.cell(0, 2), "重さ");
    const TextGrid transposed = correlationMatrix(disk.disk(), "色", kPhysical, images("調査"));
    for (int c = 1; c <= 3; ++c) {
        for (int r = 1; r <= 2; ++r)
            EXPECT_EQ(grid.cell(c, r), transposed.cell(r, c));
    }
    const TextGrid physical = correlationMatrix(disk.disk(), "色", kPhysical, kPhysical);
    EXPECT_EQ(physical.cell(1, 1), "1.0000");
    EXPECT_EQ(physical.cell(2, 1), "-0.9234");
}

TEST(CorrelationMatrix, WithoutAPhysicalQuantityFileThatSideIsOneEmptyVariable) {
    TempDisk disk;
    makeFourPanels(disk);
    std::filesystem::remove(disk.path("physical/色/色.phy"));
    const TextGrid grid = correlationMatrix(disk.disk(), "色", kPhysical, images("調査"));
    ASSERT_EQ(grid.columnCount(), 2);
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.cell(1, 0), "");
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(grid.cell(1, r), "");
}

TEST(CorrelationMatrix, AnImageSideWithoutAFileComputesNothingAndClearsOldValues) {
    TempDisk disk;
    makeFourPanels(disk);
    TextGrid grid = correlationMatrix(disk.disk(), "色", images("調査"), images("調査"));
    computeCorrelationMatrix(grid, disk.disk(), "色", images("調査"), images("", TSexGroup::Female));
    EXPECT_EQ(row(grid, 0), (Cells{"", "明るい", "暖かい", "同じ"}));
    EXPECT_EQ(row(grid, 1), (Cells{"明るい", "", "", ""}));
}

TEST(CorrelationMatrix, SidesOverDifferentPanelsAreRefused) {
    TempDisk disk;
    makeFourPanels(disk);
    disk.writeLines("physical/色/色.phy", {"1,3", R"("明度","cd/m2")", "1", "2", "3"});
    TextGrid grid;
    setUpCorrelationGrid(grid, disk.disk(), "色", CorrelationKind::Images, CorrelationKind::Physical);
    EXPECT_THROW(computeCorrelationMatrix(grid, disk.disk(), "色", images("調査"), kPhysical), UserError);
    EXPECT_EQ(grid.cell(1, 1), "");
}

TEST(CorrelationMatrix, AQuantityFileChangedSinceTheSetUpIsRefused) {
    TempDisk disk;
    makeFourPanels(disk);
    TextGrid grid;
    setUpCorrelationGrid(grid, disk.disk(), "色", CorrelationKind::Images, CorrelationKind::Physical);
    disk.writeLines("physical/色/色.phy", {"1,4", R"("明度","cd/m2")", "1", "2", "3", "4"});
    try {
        computeCorrelationMatrix(grid, disk.disk(), "色", images("調査"), kPhysical);
        FAIL() << "a changed quantity file was correlated";
    } catch (const UserError& error) {
        EXPECT_NE(std::string(error.what()).find("物理量の数 1 が表の物理量の数 2"), std::string::npos)
            << error.what();
    }
}

TEST(CorrelationMatrix, DataBeyondTheVariableTableIsRefusedBeforeAnyCellIsWritten) {
    TempDisk disk;
    makeFourPanels(disk);
    disk.writeLines("male/色/未回答.dat",
                    dataLines(1, 6, 3, {0, 0, 0, 0, 0, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    TextGrid grid = correlationMatrix(disk.disk(), "色", images("調査"), images("調査"));
    const TextGrid before = grid;
    try {
        computeCorrelationMatrix(grid, disk.disk(), "色", images("調査"), images("未回答"));
        FAIL() << "an unanswered item was correlated";
    } catch (const UserError& error) {
        EXPECT_NE(std::string(error.what()).find("未回答.dat の 9 行目は未回答"), std::string::npos)
            << error.what();
    }
    for (int r = 0; r < grid.rowCount(); ++r)
        EXPECT_EQ(row(grid, r), row(before, r));
    std::vector<std::string> tooMany{"26,4"};
    for (int q = 1; q <= 26; ++q) {
        tooMany.push_back(R"("q","")");
        for (int k = 1; k <= 4; ++k)
            tooMany.push_back(std::to_string(q * k));
    }
    disk.writeLines("physical/色/色.phy", tooMany);
    EXPECT_THROW(correlationMatrix(disk.disk(), "色", kPhysical, kPhysical), UserError);
}

TEST(CorrelationMatrix, TwentyPanelsAreAcceptedAndTwentyOneRefused) {
    TempDisk disk;
    const auto quantities = [](int panels) {
        std::vector<std::string> lines{"1," + std::to_string(panels), R"("長さ","mm")"};
        for (int k = 1; k <= panels; ++k)
            lines.push_back(std::to_string(k * k));
        return lines;
    };
    disk.makeSeries("大", 3, {"a"});
    disk.writeLines("physical/大/大.phy", quantities(20));
    EXPECT_EQ(correlationMatrix(disk.disk(), "大", kPhysical, kPhysical).cell(1, 1), "1.0000");
    disk.writeLines("physical/大/大.phy", quantities(21));
    EXPECT_THROW(correlationMatrix(disk.disk(), "大", kPhysical, kPhysical), UserError);
}

TEST(CorrelationMatrix, AValueThatIsNotANumberStopsTheComputation) {
    TempDisk disk;
    makeFourPanels(disk);
    disk.writeLines("physical/色/色.phy", {"1,4", R"("明度","cd/m2")", "1", "2", "abc", "4"});
    try {
        correlationMatrix(disk.disk(), "色", kPhysical, images("調査"));
        FAIL() << "a malformed value was read";
    } catch (const UserError& error) {
        EXPECT_PRED2(textEndsWith, error.what(), "色.phy の 5 行目: 'abc' は浮動小数点数ではありません");
    }
}
