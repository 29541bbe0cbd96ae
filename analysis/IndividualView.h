#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "analysis/WinCounts.h"
#include "core/ResponseBuffer.h"
#include "core/StudyDisk.h"
#include "core/TextGrid.h"

namespace kestrune {

// The win counts kept for the image-by-image display: one record per image and subject, in
// the order image 1 subject 1..D, image 2 subject 1..D, ... (record (m - 1)·D + (s - 1)); a
// record holds the counts of panels 1..N.
struct IndividualStore {
    int subjects = 0;
    int panels = 0;
    int images = 0;
    std::vector<std::vector<std::int32_t>> records;
};

IndividualStore buildIndividualStore(const WinCountTable& wins, int panelCount);

// Show image: with t the selected tab (0 for the first image), D = rows - 1 and N = columns - 1
// of the grid, row r gets the counts of record t·D + (r - 1) in columns 1..N. Cells for which
// the store holds no count (another file's store after a change of series, a tab beyond its
// images) are cleared rather than read past the store.
void showImage(TextGrid& grid, const IndividualStore& store, int tabIndex);

// The individual view ("個人のデータ") into a grid the page set-up has prepared (N + 1 columns,
// panel numbers in row 0): reads and checks the file first, so a failure leaves grid and store
// untouched; then replaces the store, sets D + 1 rows, writes the subject numbers and shows
// the image of `tabIndex`.
void viewIndividualInto(TextGrid& grid, IndividualStore& store, const StudyDisk& disk, TSexGroup group,
                        std::string_view series, std::string_view file, int tabIndex,
                        ResponseBuffer* buffer = nullptr);

// The individual data table of a file, set up from the series and showing `tabIndex`, with
// its store and the image tab captions (the series' image words).
struct IndividualTable {
    TextGrid grid;  // the StringGrid2 layout
    IndividualStore store;
    std::vector<std::string> imageWords;
};
IndividualTable viewIndividual(const StudyDisk& disk, TSexGroup group, std::string_view series,
                               std::string_view file, int tabIndex = 0);

}  // namespace kestrune
