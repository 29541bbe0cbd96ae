#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/StudyDisk.h"
#include "core/TextGrid.h"

namespace kestrune {

// Labels of the scale value table (StringGrid3) and of the individual data table
// (StringGrid2), as the analysis page's set-up writes them for a series.
inline constexpr std::string_view kMeanHeading = "平均";
inline constexpr std::string_view kScoreLabel = "100点換算得点";
inline constexpr std::string_view kDeviationLabel = "標準偏差";
inline constexpr std::string_view kStandardisedLabel = "標準偏差基準化得点";
// The cell text of a value that cannot be computed.
inline constexpr std::string_view kNotComputed = "-";

// What the set-up reads from the series' two definition files: N from line 1 of the order
// file and the image words of the vocabulary file (their quotes removed).
struct AnalysisPageLabels {
    int panelCount = 0;
    std::vector<std::string> imageWords;
};
AnalysisPageLabels readAnalysisPageLabels(const StudyDisk& disk, std::string_view series);

// Scale value table: 2 fixed columns twice as wide as the others, 1 fixed row, rows 24 px,
// N + 3 columns and 3M + 1 rows; panel numbers and "平均" in row 0, each image word and the
// three statistic names in columns 0 and 1. The value cells are cleared, so a change of
// series never shows another series' values under the new labels.
void setUpScaleValueGrid(TextGrid& grid, int panelCount, const std::vector<std::string>& imageWords);

// Individual data table: 1 fixed row and column, N + 1 columns, panel numbers in row 0. Its
// rows are set by the individual view.
void setUpIndividualGrid(TextGrid& grid, int panelCount);

// A fresh scale value table set up for a series, as the page shows it before any aggregation.
TextGrid makeScaleValueGrid(const AnalysisPageLabels& labels);

}  // namespace kestrune
