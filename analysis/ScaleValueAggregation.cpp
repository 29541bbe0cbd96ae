#include "analysis/ScaleValueAggregation.h"

#include "analysis/AnalysisInput.h"
#include "analysis/AnalysisMessages.h"
#include "analysis/NumberText.h"
#include "analysis/WinCounts.h"
#include "core/Error.h"

namespace kestrune {

namespace {

std::string threeDecimals(double value) {
    return fixedText(value, 3);
}

void checkGridFits(const TextGrid& grid, const AnalysisInput& input) {
    const int gridImages = (grid.rowCount() - 1) / 3;
    if (grid.rowCount() != 3 * input.answers.images + 1) {
        throw UserError(analysis_messages::imageCountMismatch(shownPath(input.dataPath), input.answers.images,
                                                              gridImages));
    }
    if (grid.columnCount() != input.panelCount + 3) {
        throw UserError(analysis_messages::panelCountChanged(shownPath(input.dataPath), input.panelCount,
                                                             grid.columnCount() - 3));
    }
}

}  // namespace

void writeScaleValueCells(TextGrid& grid, const ScaleValues& values) {
    const int n = values.panels();
    for (int k = 1; k <= n; ++k) {
        for (int m = 1; m <= values.images(); ++m) {
            grid.setCell(k + 1, 3 * m - 2, threeDecimals(values.score(k, m)));
            grid.setCell(
                k + 1, 3 * m - 1,
                values.hasDeviation() ? threeDecimals(values.deviation(k, m)) : std::string(kNotComputed));
            grid.setCell(k + 1, 3 * m,
                         values.hasStandardised(m) ? threeDecimals(values.standardised(k, m))
                                                   : std::string(kNotComputed));
        }
    }
    for (int m = 1; m <= values.images(); ++m) {
        grid.setCell(
            n + 2, 3 * m - 1,
            values.hasDeviation() ? threeDecimals(values.meanDeviation(m)) : std::string(kNotComputed));
    }
}

std::string scaleValuePathLabel(const StudyDisk& disk, TSexGroup group, std::string_view series,
                                std::string_view file) {
    return StudyDisk::pathLabel(disk.dataPath(group, series, file));
}

void aggregateIntoGrid(TextGrid& grid, const StudyDisk& disk, TSexGroup group, std::string_view series,
                       std::string_view file, ResponseBuffer* buffer) {
    const AnalysisInput input = loadAnalysisInput(disk, group, series, file, kScaleValueLimits);
    checkGridFits(grid, input);
    const WinCountTable wins = loadAndCountWins(input, buffer);
    writeScaleValueCells(grid, computeScaleValues(wins, input.panelCount));
}

ScaleValueTable aggregateScaleValues(const StudyDisk& disk, TSexGroup group, std::string_view series,
                                     std::string_view file) {
    ScaleValueTable table;
    table.pathLabel = scaleValuePathLabel(disk, group, series, file);
    table.grid = makeScaleValueGrid(readAnalysisPageLabels(disk, series));
    aggregateIntoGrid(table.grid, disk, group, series, file);
    return table;
}

}  // namespace kestrune
