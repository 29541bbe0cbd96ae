#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/StudyDisk.h"

namespace kestrune {

// The values the correlation diagram plots on an axis, one per panel (panel 1 first), and
// the texts of its axis item lists.

// What the diagram area shows instead of a picture when an axis has nothing to plot (no data
// file, no quantity) or its values cannot be computed.
inline constexpr std::string_view kDiagramNoVariable = "#NAME?";
inline constexpr std::string_view kDiagramNotComputable = "#DIV/0!";

// The standardised scores Z[k] of image `image` (1-based) of one data file, for panels 1..n
// (n = the series' panel count), computed as the scale value table does. Gives no value (the
// "#DIV/0!" outcome) when the file has a single subject (found from its header alone, before
// the order file is read), or when the mean standard deviation
// of that image is 0 (every subject gave the same win counts). Throws UserError for an
// unreadable or malformed file, data beyond 100 subjects, 50 pairs, 10 panels or 25 images, an
// answer other than 0 or 1, a file without subjects, and an image number the file lacks.
std::optional<std::vector<double>> loadStandardisedScores(const StudyDisk& disk, TSexGroup group,
                                                          std::string_view series, std::string_view file,
                                                          int image);

// The values of physical quantity `quantity` (1-based) of the series' physical quantity file,
// for panels 1..N' (N' = the file's own panel count, which the caller compares with the other
// axis). Throws UserError for a missing or short file, a value that is not a number, more than
// 25 quantities or 20 panels, and a quantity number the file lacks.
std::vector<double> loadQuantityValues(const StudyDisk& disk, std::string_view series, int quantity);

// Axis items for "イメージ": the image words of the vocabulary file, quotes removed.
std::vector<std::string> diagramImageItems(const StudyDisk& disk, std::string_view series);

// Axis items for "物理量": per quantity its name directly followed by "(", the unit and ")", or
// the name alone when the unit is empty. Empty when the series has no physical quantity file.
std::vector<std::string> diagramQuantityItems(const StudyDisk& disk, std::string_view series);

}  // namespace kestrune
