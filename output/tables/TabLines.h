#pragma once

#include <string>
#include <vector>

#include "core/TextGrid.h"

namespace kestrune {

// The tab line of grid row r: cell (0, r), then for every further column a TAB and its text,
// so every line of a grid has columnCount - 1 TABs.
std::string tabLine(const TextGrid& grid, int row);

// The tab lines of every row, row 0 first.
std::vector<std::string> tabLines(const TextGrid& grid);

// Lines as the clipboard takes them: joined by CR LF.
std::string clipboardText(const std::vector<std::string>& lines);

}  // namespace kestrune
