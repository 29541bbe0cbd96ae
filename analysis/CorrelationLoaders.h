#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "core/StudyDisk.h"

namespace kestrune {

// One side of the correlation matrix's variable table: for variables j = 1..J and panels
// k = 1..n, values[j - 1][k - 1].
struct VariableSet {
    int panelCount = 0;
    std::vector<std::vector<double>> values;
    int variableCount() const { return static_cast<int>(values.size()); }
};

// Image loader: the win total of panel k on image m over all subjects (the scale value
// table's column sum S[k][m]), for the series' panels and the file's images. Up to 20 panels,
// 25 images, 100 subjects, 50 pairs; answers 0 or 1; anything else throws UserError.
VariableSet loadImageVariables(const StudyDisk& disk, TSexGroup group, std::string_view series,
                               std::string_view file);

// Quantity loader: every quantity of the series' physical quantity file over its N' panels.
VariableSet loadQuantityVariables(const StudyDisk& disk, std::string_view series);

}  // namespace kestrune
