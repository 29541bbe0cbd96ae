#pragma once

#include <string_view>

#include "core/TextGrid.h"

namespace kestrune {

// The emphasis of a correlation value, used alike by the grid painting, the rich text, the
// HTML and the office exports. Only a cell text that parses completely as a decimal number is
// marked: v > 0.8 bold black, 0 <= v <= 0.8 regular black, -0.8 <= v < 0 regular red,
// v < -0.8 bold red. The thresholds are strict, so 0.8000 and -0.8000 are regular.
struct CellEmphasis {
    bool numeric = false;  // false: the cell keeps the grid's own left-aligned drawing, unmarked
    bool bold = false;
    bool red = false;
    bool operator==(const CellEmphasis&) const = default;
};

CellEmphasis emphasisOfValueText(std::string_view text);

// The emphasis of a cell of the correlation matrix grid: header cells (column 0 or row 0) are
// never marked.
CellEmphasis correlationCellEmphasis(const TextGrid& grid, int column, int row);

}  // namespace kestrune
