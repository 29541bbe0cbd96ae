#include "analysis/CorrelationMatrix.h"

#include <filesystem>
#include <optional>

#include "analysis/AnalysisInput.h"
#include "analysis/AnalysisMessages.h"
#include "analysis/Correlation.h"
#include "analysis/CorrelationLoaders.h"
#include "core/Error.h"
#include "core/PhysicalQuantity.h"
#include "core/Series.h"

namespace kestrune {

namespace am = analysis_messages;

namespace {

std::vector<std::string> variableNames(const StudyDisk& disk, std::string_view series, CorrelationKind kind) {
    if (kind == CorrelationKind::Images)
        return readSupportedSeries(disk, series).images;
    std::vector<std::string> names;
    const std::filesystem::path path = disk.physicalPath(series);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return {std::string()};  // one empty variable
    for (const PhysicalQuantity& quantity : readPhysicalFile(path).quantities)
        names.push_back(quantity.name);
    return names;
}

void clearValueCells(TextGrid& grid) {
    for (int r = 1; r < grid.rowCount(); ++r) {
        for (int c = 1; c < grid.columnCount(); ++c)
            grid.setCell(c, r, std::string());
    }
}

// Loads one side; no value means that side computes nothing. `columns` tells which header
// shrinks when the physical quantity file is missing.
std::optional<VariableSet> loadSide(TextGrid& grid, const StudyDisk& disk, std::string_view series,
                                    const CorrelationSide& side, bool columns) {
    if (side.kind == CorrelationKind::Images) {
        if (side.file.empty())
            return std::nullopt;
        return loadImageVariables(disk, side.group, series, side.file);
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(disk.physicalPath(series), error)) {
        if (columns) {
            grid.resize(2, grid.rowCount());
            grid.setCell(1, 0, std::string());
        } else {
            grid.resize(grid.columnCount(), 2);
            grid.setCell(0, 1, std::string());
        }
        return std::nullopt;
    }
    return loadQuantityVariables(disk, series);
}

std::string sideFileLabel(const StudyDisk& disk, std::string_view series, const CorrelationSide& side) {
    if (side.kind == CorrelationKind::Physical)
        return shownPath(disk.physicalPath(series));
    return shownPath(disk.dataPath(side.group, series, side.file));
}

void checkAgainstGrid(const VariableSet& set, CorrelationKind kind, int gridCount, const std::string& file) {
    if (set.variableCount() == gridCount)
        return;
    if (kind == CorrelationKind::Images)
        throw UserError(am::imageCountMismatch(file, set.variableCount(), gridCount));
    throw UserError(am::quantityCountChanged(file, set.variableCount(), gridCount));
}

}  // namespace

void setUpCorrelationGrid(TextGrid& grid, const StudyDisk& disk, std::string_view series,
                          CorrelationKind columns, CorrelationKind rows) {
    const std::vector<std::string> columnNames = variableNames(disk, series, columns);
    const std::vector<std::string> rowNames = variableNames(disk, series, rows);
    grid.fixedColumns = 1;
    grid.fixedRows = 1;
    grid.resize(static_cast<int>(columnNames.size()) + 1, static_cast<int>(rowNames.size()) + 1);
    grid.clearCells();
    grid.setColumnWidth(0, 2 * grid.defaultColumnWidth);
    for (std::size_t j = 0; j < columnNames.size(); ++j)
        grid.setCell(static_cast<int>(j) + 1, 0, columnNames[j]);
    for (std::size_t j = 0; j < rowNames.size(); ++j)
        grid.setCell(0, static_cast<int>(j) + 1, rowNames[j]);
}

void computeCorrelationMatrix(TextGrid& grid, const StudyDisk& disk, std::string_view series,
                              const CorrelationSide& columns, const CorrelationSide& rows) {
    TextGrid result = grid;
    const std::optional<VariableSet> columnSet = loadSide(result, disk, series, columns, true);
    std::optional<VariableSet> rowSet;
    if (columnSet)
        rowSet = loadSide(result, disk, series, rows, false);
    if (!columnSet || !rowSet) {
        clearValueCells(result);
        grid = std::move(result);
        return;
    }
    checkAgainstGrid(*columnSet, columns.kind, result.columnCount() - 1,
                     sideFileLabel(disk, series, columns));
    checkAgainstGrid(*rowSet, rows.kind, result.rowCount() - 1, sideFileLabel(disk, series, rows));
    if (columnSet->panelCount != rowSet->panelCount) {
        throw UserError(am::panelCountMismatch(columnSet->panelCount, rowSet->panelCount));
    }
    for (int r = 1; r <= rowSet->variableCount(); ++r) {
        for (int c = 1; c <= columnSet->variableCount(); ++c) {
            result.setCell(c, r, correlationText(columnSet->values[c - 1], rowSet->values[r - 1]));
        }
    }
    grid = std::move(result);
}

TextGrid correlationMatrix(const StudyDisk& disk, std::string_view series, const CorrelationSide& columns,
                           const CorrelationSide& rows) {
    TextGrid grid;
    setUpCorrelationGrid(grid, disk, series, columns.kind, rows.kind);
    computeCorrelationMatrix(grid, disk, series, columns, rows);
    return grid;
}

}  // namespace kestrune
