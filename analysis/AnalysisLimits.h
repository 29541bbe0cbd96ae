#pragma once

namespace kestrune {

// The fixed table sizes of one analysis. Data beyond them is refused before any cell is
// written, with a message naming what is out of range and the file.
struct AnalysisLimits {
    int subjects = 100;
    int pairs = 50;
    int images = 25;  // also the number of variables of a correlation side
    int panels = 10;  // the series' panel count and every panel number on a pair line
};

// Scale values, individual view and the standardised scores of the correlation diagram.
inline constexpr AnalysisLimits kScaleValueLimits{100, 50, 25, 10};
// The variable table of the correlation matrix: 20 panels and 25 variables per side.
inline constexpr AnalysisLimits kCorrelationLimits{100, 50, 25, 20};

}  // namespace kestrune
