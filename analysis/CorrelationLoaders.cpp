#include "analysis/CorrelationLoaders.h"

#include "analysis/AnalysisInput.h"
#include "analysis/QuantityTable.h"
#include "analysis/WinCounts.h"

namespace kestrune {

VariableSet loadImageVariables(const StudyDisk& disk, TSexGroup group, std::string_view series,
                               std::string_view file) {
    const AnalysisInput input = loadAnalysisInput(disk, group, series, file, kCorrelationLimits);
    const WinCountTable wins = countWins(input);
    VariableSet set;
    set.panelCount = input.panelCount;
    for (int m = 1; m <= wins.images(); ++m) {
        std::vector<double> totals(set.panelCount, 0.0);
        for (int k = 1; k <= set.panelCount; ++k) {
            long long total = 0;
            for (int s = 1; s <= wins.subjects(); ++s)
                total += wins.at(s, k, m);
            totals[k - 1] = static_cast<double>(total);
        }
        set.values.push_back(std::move(totals));
    }
    return set;
}

VariableSet loadQuantityVariables(const StudyDisk& disk, std::string_view series) {
    QuantityTable table = loadQuantityTable(disk.physicalPath(series), kCorrelationLimits);
    VariableSet set;
    set.panelCount = table.header.panelCount;
    set.values = std::move(table.values);
    return set;
}

}  // namespace kestrune
