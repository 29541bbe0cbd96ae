#include "analysis/DiagramLoaders.h"

#include <filesystem>

#include "analysis/AnalysisInput.h"
#include "analysis/AnalysisMessages.h"
#include "analysis/QuantityTable.h"
#include "analysis/ScaleValues.h"
#include "analysis/WinCounts.h"
#include "core/Error.h"
#include "core/PhysicalQuantity.h"
#include "core/Series.h"

namespace kestrune {

std::optional<std::vector<double>> loadStandardisedScores(const StudyDisk& disk, TSexGroup group,
                                                          std::string_view series, std::string_view file,
                                                          int image) {
    const std::filesystem::path dataPath = disk.dataPath(group, series, file);
    TResponseMatrix answers = readCheckedResponses(dataPath, kScaleValueLimits);
    if (answers.subjects == 1)
        return std::nullopt;  // no standard deviation exists
    const AnalysisInput input =
        completeAnalysisInput(dataPath, std::move(answers), disk.orderPath(series), kScaleValueLimits);
    if (image < 1 || image > input.answers.images) {
        throw UserError(
            analysis_messages::variableOutOfRange(shownPath(input.dataPath), image, input.answers.images));
    }
    const ScaleValues values = computeScaleValues(countWins(input), input.panelCount);
    if (!values.hasStandardised(image))
        return std::nullopt;
    std::vector<double> scores;
    for (int k = 1; k <= values.panels(); ++k)
        scores.push_back(values.standardised(k, image));
    return scores;
}

std::vector<double> loadQuantityValues(const StudyDisk& disk, std::string_view series, int quantity) {
    return loadQuantityValues(disk.physicalPath(series), quantity, kCorrelationLimits);
}

std::vector<std::string> diagramImageItems(const StudyDisk& disk, std::string_view series) {
    return readSupportedSeries(disk, series).images;
}

std::vector<std::string> diagramQuantityItems(const StudyDisk& disk, std::string_view series) {
    const std::filesystem::path path = disk.physicalPath(series);
    std::vector<std::string> items;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return items;
    for (const PhysicalQuantity& quantity : readPhysicalFile(path).quantities) {
        items.push_back(quantity.unit.empty() ? quantity.name : quantity.name + "(" + quantity.unit + ")");
    }
    return items;
}

}  // namespace kestrune
