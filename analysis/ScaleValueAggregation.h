#pragma once

#include <string>
#include <string_view>

#include "analysis/AnalysisGrids.h"
#include "analysis/ScaleValues.h"
#include "core/ResponseBuffer.h"
#include "core/StudyDisk.h"
#include "core/TextGrid.h"

namespace kestrune {

// Writes the value cells of a scale value table set up for N panels and M images: T, SD and Z
// with "%3.3f" for panel k in column k + 1 and image m in rows 3m - 2, 3m - 1, 3m, SDbar in
// the "平均" column of row 3m - 1. "-" stands for SD, Z and SDbar with fewer than two
// subjects, and for the Z cells of an image whose SDbar is 0.
void writeScaleValueCells(TextGrid& grid, const ScaleValues& values);

// The path label of a data file: the study disk root joined with "group/series/file.dat".
std::string scaleValuePathLabel(const StudyDisk& disk, TSexGroup group, std::string_view series,
                                std::string_view file);

// The aggregation of the page ("データ集計") into a grid the page set-up has prepared. The
// file is read and checked completely first: on any failure (UserError) the grid is
// untouched. A data file whose image or pair layout does not match the grid is refused. When
// a response buffer is given, the answers are loaded into it and counted from there, as the
// main window does.
void aggregateIntoGrid(TextGrid& grid, const StudyDisk& disk, TSexGroup group, std::string_view series,
                       std::string_view file, ResponseBuffer* buffer = nullptr);

// The scale value table of a file, set up from the series' order and vocabulary files and
// filled by the aggregation, with its path label; what the number line graph, the exports
// and the batch program read.
struct ScaleValueTable {
    TextGrid grid;          // the StringGrid3 layout
    std::string pathLabel;  // Label58
};
ScaleValueTable aggregateScaleValues(const StudyDisk& disk, TSexGroup group, std::string_view series,
                                     std::string_view file);

}  // namespace kestrune
