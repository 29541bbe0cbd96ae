#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/AnalysisLimits.h"
#include "core/StudyDisk.h"

namespace kestrune {

// The values of a series' physical quantity file as the correlation pages read them: line 1
// gives Q and N', the value of quantity q for panel k stands on line 2 + (q - 1)(N' + 1) + k
// and is converted to a real number.
struct QuantityHeader {
    int quantityCount = 0;  // Q
    int panelCount = 0;     // N'
};

struct QuantityTable {
    QuantityHeader header;
    std::vector<std::string> names;  // between the first and the second double quote
    std::vector<std::string> units;
    std::vector<std::vector<double>> values;  // [q - 1][k - 1]
};

// Reads every quantity. Q beyond `limits.images`, N' outside 1..`limits.panels`, a short file or
// a value that is not a number throw UserError.
QuantityTable loadQuantityTable(const std::filesystem::path& path, const AnalysisLimits& limits);

// Reads only quantity q (1-based): its N' values, panel 1 first.
std::vector<double> loadQuantityValues(const std::filesystem::path& path, int quantity,
                                       const AnalysisLimits& limits);

}  // namespace kestrune
