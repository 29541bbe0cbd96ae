#include "output/tables/StatisticsExport.h"

#include "output/tables/HtmlFrame.h"
#include "output/tables/TabLines.h"

namespace kestrune {

std::vector<std::string> statisticsTextLines(const TextGrid& grid) {
    return tabLines(grid);
}

std::vector<std::string> statisticsHtmlLines(const TextGrid& grid, std::string_view caption,
                                             std::string_view pathLabel) {
    std::string title(caption);
    title.append(" -").append(pathLabel);
    std::vector<std::string> lines = htmlTableOpening(title);
    for (int r = 0; r < grid.rowCount(); ++r) {
        std::string line = "<TR>";
        for (int c = 0; c < grid.columnCount(); ++c)
            line.append("<TD>").append(grid.cell(c, r)).append("</TD>");
        lines.push_back(line.append("</TR>"));
    }
    appendHtmlTableClosing(lines);
    return lines;
}

}  // namespace kestrune
