#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/TextGrid.h"

namespace kestrune {

// The statistics tables leave the program as the other tables do: "テキストのみ" is the tab
// lines of every row; "HTML文書" is titled with the table's caption, " -" and the path of the
// data file, one TR line per grid row with every cell in a TD, cell texts unchanged.
std::vector<std::string> statisticsTextLines(const TextGrid& grid);
std::vector<std::string> statisticsHtmlLines(const TextGrid& grid, std::string_view caption,
                                             std::string_view pathLabel);

}  // namespace kestrune
