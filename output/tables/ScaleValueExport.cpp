#include "output/tables/ScaleValueExport.h"

#include "output/tables/HtmlFrame.h"
#include "output/tables/TabLines.h"

namespace kestrune {

std::vector<std::string> scaleValueTextLines(const TextGrid& grid) {
    return tabLines(grid);
}

namespace {

std::string cellsFrom(const TextGrid& grid, int row, int firstColumn) {
    std::string cells;
    for (int c = firstColumn; c < grid.columnCount(); ++c)
        cells += "<TD>" + grid.cell(c, row) + "</TD>";
    return cells;
}

}  // namespace

std::vector<std::string> scaleValueHtmlLines(const TextGrid& grid, std::string_view pathLabel) {
    std::vector<std::string> lines = htmlTableOpening("集計データ -" + std::string(pathLabel));
    if (grid.rowCount() > 0)
        lines.push_back("<TR>" + cellsFrom(grid, 0, 0) + "</TR>");
    const int images = (grid.rowCount() - 1) / 3;
    for (int m = 1; m <= images; ++m) {
        lines.push_back("<TR><TD ROWSPAN=3>" + grid.cell(0, 3 * m - 2) + "</TD>" +
                        cellsFrom(grid, 3 * m - 2, 1) + "</TR>");
        lines.push_back("<TR>" + cellsFrom(grid, 3 * m - 1, 1) + "</TR>");
        lines.push_back("<TR>" + cellsFrom(grid, 3 * m, 1) + "</TR>");
    }
    appendHtmlTableClosing(lines);
    return lines;
}

}  // namespace kestrune
