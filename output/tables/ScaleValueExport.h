#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/TextGrid.h"

namespace kestrune {

// The scale value table's "保存" and "コピー": the tab lines of every row, header first.
std::vector<std::string> scaleValueTextLines(const TextGrid& grid);

// The "HTML文書" form, titled "集計データ -" and the path label; cell texts unchanged. Each
// image gives three rows, the first with the image word spanning them (ROWSPAN=3).
std::vector<std::string> scaleValueHtmlLines(const TextGrid& grid, std::string_view pathLabel);

}  // namespace kestrune
