#include "output/tables/TabLines.h"

namespace kestrune {

std::string tabLine(const TextGrid& grid, int row) {
    std::string line = grid.columnCount() > 0 ? grid.cell(0, row) : std::string();
    for (int c = 1; c < grid.columnCount(); ++c) {
        line += '\t';
        line += grid.cell(c, row);
    }
    return line;
}

std::vector<std::string> tabLines(const TextGrid& grid) {
    std::vector<std::string> lines;
    lines.reserve(grid.rowCount());
    for (int r = 0; r < grid.rowCount(); ++r)
        lines.push_back(tabLine(grid, r));
    return lines;
}

std::string clipboardText(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    return text;
}

}  // namespace kestrune
