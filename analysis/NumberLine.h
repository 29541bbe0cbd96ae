#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/Canvas.h"
#include "core/TextGrid.h"

namespace kestrune {

// The number line graph: one horizontal line per image of the scale value table, with a
// numbered diamond in the panel's colour at every panel's standardised score.

inline constexpr int kNumberLineMaxImages = 25;
inline constexpr int kNumberLineMaxPanels = 10;

// The standardised scores read from the scale value table, scores[image][panel] (0-based).
struct NumberLineValues {
    std::vector<std::string> words;
    std::vector<std::vector<double>> scores;
    int imageCount() const { return static_cast<int>(scores.size()); }
    int panelCount() const { return scores.empty() ? 0 : static_cast<int>(scores.front().size()); }
};

// Reads the table; none when its first standardised score is empty (nothing aggregated yet).
// "-" (a single subject) reads as 0; more than 25 images or 10 panels throws the list index
// error, a cell that is not a number the conversion error.
std::optional<NumberLineValues> readNumberLineValues(const TextGrid& scaleValueTable);

// The axis: a fixed symmetric range when every value fits strictly inside it, else the data
// range itself; 6 divisions when the width rounds to 6, else 10.
struct NumberLineAxis {
    double lo = 0;
    double hi = 0;
    int divisions = 10;
    double width() const { return hi - lo; }
};
NumberLineAxis chooseNumberLineAxis(double minimum, double maximum);

// Panel numbers (1-based) by descending value; equal values keep ascending panel numbers.
std::vector<int> rankPanelsDescending(const std::vector<double>& values);

// The fixed fill colour of each panel's diamond, panel 1 first.
const std::array<Color, kNumberLineMaxPanels>& numberLinePanelColours();

// The message for a graph whose values are all equal outside (−10, 10): the axis would have
// no width.
inline constexpr const char* kNumberLineNoWidth = "すべての値が等しいため、数直線を描けません。";

// Draws the graph of the table with the data file's path as its caption. Returns false and
// draws nothing when nothing was aggregated; an axis of no width throws UserError.
bool drawNumberLine(const TextGrid& scaleValueTable, const std::string& caption, Canvas& canvas);

}  // namespace kestrune
