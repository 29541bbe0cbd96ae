#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/TextGrid.h"

namespace kestrune {

// "テキストのみ": the tab lines of every row of the matrix grid, row 0 first.
std::vector<std::string> correlationTabLines(const TextGrid& grid);

// "HTML文書": titled "相関マトリックス -" and the series name; every cell right-aligned, value
// cells wrapped by their emphasis (<B> for bold, <font color="#ff0000"> for red, both nested
// as <font ...><B>...</B></font>).
std::vector<std::string> correlationHtmlLines(const TextGrid& grid, std::string_view seriesName);

}  // namespace kestrune
