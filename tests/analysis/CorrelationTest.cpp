// Pearson's coefficient as the matrix cell shows it, and the emphasis of its texts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "analysis/Correlation.h"
#include "analysis/Emphasis.h"

using namespace kestrune;

TEST(Correlation, PerfectAndPartialCorrelationsWithFourDecimals) {
    EXPECT_EQ(correlationText({1, 2, 3}, {2, 4, 6}), "1.0000");
    EXPECT_EQ(correlationText({1, 2, 3}, {3, 2, 1}), "-1.0000");
    EXPECT_EQ(correlationText({3, 2, 1}, {1, 3, 2}), "-0.5000");
    EXPECT_EQ(correlationText({1, 2, 3, 4}, {1, 3, 2, 4}), "0.8000");
    EXPECT_EQ(correlationText({1, 2, 3, 4, 5}, {2, 1, 4, 3, 6}), "0.8220");
}

TEST(Correlation, SymmetricInItsTwoVariables) {
    const std::vector<double> x{12.5, 20.1, 31, 7};
    const std::vector<double> y{105, 98.5, 110, 101};
    EXPECT_EQ(correlationText(x, y), correlationText(y, x));
    EXPECT_EQ(correlationText(x, y), "0.5964");
}

TEST(Correlation, AConstantVariableGivesDivisionByZero) {
    EXPECT_EQ(correlationText({1, 1, 1}, {1, 2, 3}), "#DIV/0!");
    EXPECT_EQ(correlationText({1, 2, 3}, {5, 5, 5}), "#DIV/0!");
    EXPECT_EQ(correlationText({}, {}), "#DIV/0!");
}

TEST(Correlation, ANonNumberGivesNum) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(correlationText({1, nan, 3}, {1, 2, 3}), "#NUM!");
    const double huge = std::numeric_limits<double>::infinity();
    EXPECT_EQ(correlationText({1, huge, 3}, {1, 2, 3}), "#NUM!");
}

TEST(Emphasis, ThresholdsAreStrict) {
    EXPECT_EQ(emphasisOfValueText("0.8000"), (CellEmphasis{true, false, false}));
    EXPECT_EQ(emphasisOfValueText("0.8001"), (CellEmphasis{true, true, false}));
    EXPECT_EQ(emphasisOfValueText("-0.8000"), (CellEmphasis{true, false, true}));
    EXPECT_EQ(emphasisOfValueText("-0.8001"), (CellEmphasis{true, true, true}));
    EXPECT_EQ(emphasisOfValueText("0.0000"), (CellEmphasis{true, false, false}));
    EXPECT_EQ(emphasisOfValueText("-0.0001"), (CellEmphasis{true, false, true}));
    EXPECT_EQ(emphasisOfValueText("1.0000"), (CellEmphasis{true, true, false}));
    EXPECT_EQ(emphasisOfValueText("-1.0000"), (CellEmphasis{true, true, true}));
}

TEST(Emphasis, TextsThatAreNotNumbersAndHeadersAreNotMarked) {
    EXPECT_FALSE(emphasisOfValueText("#DIV/0!").numeric);
    EXPECT_FALSE(emphasisOfValueText("#NUM!").numeric);
    EXPECT_FALSE(emphasisOfValueText("").numeric);
    EXPECT_FALSE(emphasisOfValueText("0.9x").numeric);
    TextGrid grid(2, 2);
    grid.setCell(0, 0, "-0.9");
    grid.setCell(1, 0, "0.9");
    grid.setCell(0, 1, "-0.9");
    grid.setCell(1, 1, "-0.9");
    EXPECT_FALSE(correlationCellEmphasis(grid, 0, 0).numeric);
    EXPECT_FALSE(correlationCellEmphasis(grid, 1, 0).numeric);
    EXPECT_FALSE(correlationCellEmphasis(grid, 0, 1).numeric);
    EXPECT_EQ(correlationCellEmphasis(grid, 1, 1), (CellEmphasis{true, true, true}));
}
