#include "analysis/IndividualView.h"

#include "analysis/AnalysisGrids.h"
#include "analysis/AnalysisInput.h"
#include "core/Numbers.h"

namespace kestrune {

IndividualStore buildIndividualStore(const WinCountTable& wins, int panelCount) {
    IndividualStore store;
    store.subjects = wins.subjects();
    store.panels = panelCount;
    store.images = wins.images();
    store.records.reserve(static_cast<std::size_t>(store.subjects) * store.images);
    for (int m = 1; m <= store.images; ++m) {
        for (int s = 1; s <= store.subjects; ++s) {
            std::vector<std::int32_t> record;
            record.reserve(panelCount);
            for (int k = 1; k <= panelCount; ++k)
                record.push_back(wins.at(s, k, m));
            store.records.push_back(std::move(record));
        }
    }
    return store;
}

void showImage(TextGrid& grid, const IndividualStore& store, int tabIndex) {
    const int d = grid.rowCount() - 1;
    const int n = grid.columnCount() - 1;
    for (int r = 1; r <= d; ++r) {
        const long long number = static_cast<long long>(tabIndex) * d + (r - 1);
        const bool present = tabIndex >= 0 && number < static_cast<long long>(store.records.size());
        for (int k = 1; k <= n; ++k) {
            const bool known = present && k <= static_cast<int>(store.records[number].size());
            grid.setCell(k, r, known ? integerText(store.records[number][k - 1]) : std::string());
        }
    }
}

void viewIndividualInto(TextGrid& grid, IndividualStore& store, const StudyDisk& disk, TSexGroup group,
                        std::string_view series, std::string_view file, int tabIndex,
                        ResponseBuffer* buffer) {
    const AnalysisInput input = loadAnalysisInput(disk, group, series, file, kScaleValueLimits);
    const WinCountTable wins = loadAndCountWins(input, buffer);
    store = buildIndividualStore(wins, input.panelCount);
    grid.resize(grid.columnCount(), store.subjects + 1);
    for (int s = 1; s <= store.subjects; ++s)
        grid.setCell(0, s, integerText(s));
    showImage(grid, store, tabIndex);
}

IndividualTable viewIndividual(const StudyDisk& disk, TSexGroup group, std::string_view series,
                               std::string_view file, int tabIndex) {
    const AnalysisPageLabels labels = readAnalysisPageLabels(disk, series);
    IndividualTable table;
    table.imageWords = labels.imageWords;
    setUpIndividualGrid(table.grid, labels.panelCount);
    viewIndividualInto(table.grid, table.store, disk, group, series, file, tabIndex);
    return table;
}

}  // namespace kestrune
