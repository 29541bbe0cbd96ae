#include "analysis/AnalysisGrids.h"

#include <algorithm>

#include "core/Numbers.h"
#include "core/Series.h"

namespace kestrune {

AnalysisPageLabels readAnalysisPageLabels(const StudyDisk& disk, std::string_view series) {
    AnalysisPageLabels labels;
    // The page is sized from these counts: a series the analyses cannot handle stops here.
    TSeries chosen = readSupportedSeries(disk, series);
    labels.panelCount = chosen.panelCount;
    labels.imageWords = std::move(chosen.images);
    return labels;
}

void setUpScaleValueGrid(TextGrid& grid, int panelCount, const std::vector<std::string>& imageWords) {
    const int images = static_cast<int>(imageWords.size());
    grid.resize(panelCount + 3, 3 * images + 1);
    grid.clearCells();
    grid.fixedColumns = 2;
    grid.fixedRows = 1;
    grid.setColumnWidth(0, 2 * grid.defaultColumnWidth);
    grid.setColumnWidth(1, 2 * grid.defaultColumnWidth);
    grid.defaultRowHeight = 24;
    for (int k = 1; k <= panelCount; ++k)
        grid.setCell(k + 1, 0, integerText(k));
    grid.setCell(panelCount + 2, 0, std::string(kMeanHeading));
    for (int m = 1; m <= images; ++m) {
        grid.setCell(0, 3 * m - 2, imageWords[m - 1]);
        grid.setCell(1, 3 * m - 2, std::string(kScoreLabel));
        grid.setCell(1, 3 * m - 1, std::string(kDeviationLabel));
        grid.setCell(1, 3 * m, std::string(kStandardisedLabel));
    }
}

void setUpIndividualGrid(TextGrid& grid, int panelCount) {
    grid.resize(panelCount + 1, std::max(grid.rowCount(), 1));
    grid.fixedColumns = 1;
    grid.fixedRows = 1;
    for (int c = 0; c < grid.columnCount(); ++c)
        grid.setCell(c, 0, c == 0 ? std::string() : integerText(c));
}

TextGrid makeScaleValueGrid(const AnalysisPageLabels& labels) {
    TextGrid grid;
    setUpScaleValueGrid(grid, labels.panelCount, labels.imageWords);
    return grid;
}

}  // namespace kestrune
