// The analysis commands on the shipped sample study disk.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <sstream>

#include "tests/support/ProgramRun.h"

namespace {

using CliRun = kestrune::testing::ProgramRun;

CliRun runOnSample(const std::string& arguments) {
    return kestrune::testing::runProgram(
        std::string(KESTRUNE_CLI) + " --root \'" + KESTRUNE_EXAMPLES + "/study-disk\' " + arguments, true);
}

std::vector<std::vector<std::string>> cells(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> row;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
            row.push_back(line.substr(start, tab - start));
        }
        row.push_back(line.substr(start));
        rows.push_back(row);
    }
    return rows;
}

using Row = std::vector<std::string>;

}  // namespace

TEST(AnalysisSampleDisk, TastingScaleValuesOfTheFirstImage) {
    const CliRun run = runOnSample("aggregate 飲料の味 male 試飲会");
    ASSERT_EQ(run.status, 0) << run.out;
    const auto rows = cells(run.out);
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows[0], (Row{"", "", "1", "2", "3", "4", "平均"}));
    EXPECT_EQ(rows[1], (Row{"甘い", "100点換算得点", "97.222", "58.333", "33.333", "11.111", ""}));
    EXPECT_EQ(rows[2], (Row{"", "標準偏差", "9.623", "20.719", "24.618", "16.412", "17.843"}));
    EXPECT_EQ(rows[3], (Row{"", "標準偏差基準化得点", "2.647", "0.467", "-0.934", "-2.179", ""}));
}

TEST(AnalysisSampleDisk, ThePilotFileOfOneSubjectHasNoDeviations) {
    const CliRun run = runOnSample("aggregate 色彩の印象 female 予備調査");
    ASSERT_EQ(run.status, 0) << run.out;
    const auto rows = cells(run.out);
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows[2], (Row{"", "標準偏差", "-", "-", "-", "-", "-", "-"}));
    EXPECT_EQ(rows[3], (Row{"", "標準偏差基準化得点", "-", "-", "-", "-", "-", ""}));
}

TEST(AnalysisSampleDisk, StudentImagesAgainstThemselvesAreSymmetricWithOnesOnTheDiagonal) {
    const CliRun run =
        runOnSample("correlate 色彩の印象 --columns images:mix:大学生2026 --rows images:mix:大学生2026");
    ASSERT_EQ(run.status, 0) << run.out;
    const auto rows = cells(run.out);
    ASSERT_EQ(rows.size(), 9u);
    for (std::size_t r = 1; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), 9u);
        EXPECT_EQ(rows[r][r], "1.0000");
        EXPECT_EQ(rows[0][r], rows[r][0]);
        for (std::size_t c = 1; c < rows.size(); ++c)
            EXPECT_EQ(rows[r][c], rows[c][r]);
    }
}
