#include "output/tables/CorrelationExport.h"

#include "analysis/Emphasis.h"
#include "output/tables/HtmlFrame.h"
#include "output/tables/TabLines.h"

namespace kestrune {

std::vector<std::string> correlationTabLines(const TextGrid& grid) {
    return tabLines(grid);
}

namespace {

std::string markedContent(const TextGrid& grid, int column, int row) {
    const std::string& text = grid.cell(column, row);
    const CellEmphasis emphasis = correlationCellEmphasis(grid, column, row);
    if (!emphasis.numeric)
        return text;
    if (emphasis.bold && emphasis.red)
        return R"(<font color="#ff0000"><B>)" + text + "</B></font>";
    if (emphasis.bold)
        return "<B>" + text + "</B>";
    if (emphasis.red)
        return R"(<font color="#ff0000">)" + text + "</font>";
    return text;
}

}  // namespace

std::vector<std::string> correlationHtmlLines(const TextGrid& grid, std::string_view seriesName) {
    std::vector<std::string> lines = htmlTableOpening("相関マトリックス -" + std::string(seriesName));
    for (int r = 0; r < grid.rowCount(); ++r) {
        std::string line = "<TR>";
        for (int c = 0; c < grid.columnCount(); ++c)
            line += "<TD ALIGN=RIGHT>" + markedContent(grid, c, r) + "</TD>";
        lines.push_back(line + "</TR>");
    }
    appendHtmlTableClosing(lines);
    return lines;
}

}  // namespace kestrune
