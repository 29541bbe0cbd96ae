#pragma once

#include <string>
#include <string_view>

#include "core/StudyDisk.h"
#include "core/TextGrid.h"

namespace kestrune {

// What one side (columns or rows) of the correlation matrix correlates: the images of a data
// file ("イメージ") or the series' physical quantities ("物理量").
enum class CorrelationKind { Images, Physical };

struct CorrelationSide {
    CorrelationKind kind = CorrelationKind::Images;
    TSexGroup group = TSexGroup::Male;
    std::string file;  // the file chooser's name without ".dat"; empty when it shows none
};

// Matrix set-up of the grid's headers (StringGrid1: one fixed row and column, column 0 twice
// the default width): C + 1 columns with the image words, or the quantity names, in row 0;
// R + 1 rows likewise in column 0. A "物理量" side of a series without a physical quantity file
// has one empty variable. Value cells are cleared.
void setUpCorrelationGrid(TextGrid& grid, const StudyDisk& disk, std::string_view series,
                          CorrelationKind columns, CorrelationKind rows);

// Computes the matrix into a set-up grid: loads the column set, then the row set, checks
// them against the grid and against each other (both sides must cover the same panels), and
// only then writes cell (c, r) = the correlation of column variable c with row variable r.
// An image side without a file, or a "物理量" side without a physical quantity file (which
// shrinks that side to one empty variable), computes nothing; the value cells are then
// cleared rather than left showing another computation's values. Loader failures throw
// UserError with the grid unchanged.
void computeCorrelationMatrix(TextGrid& grid, const StudyDisk& disk, std::string_view series,
                              const CorrelationSide& columns, const CorrelationSide& rows);

// Set-up and computation in one, as the batch program and the exports use it.
TextGrid correlationMatrix(const StudyDisk& disk, std::string_view series, const CorrelationSide& columns,
                           const CorrelationSide& rows);

}  // namespace kestrune
