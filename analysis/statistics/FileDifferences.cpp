#include "analysis/statistics/FileDifferences.h"

#include "analysis/statistics/Distributions.h"
#include "analysis/statistics/StatisticsMessages.h"
#include "core/Error.h"

namespace kestrune::statistics {

namespace {

std::string wordOf(const std::vector<std::string>& words, int image) {
    return image <= static_cast<int>(words.size()) ? words[image - 1] : std::to_string(image);
}

bool samePairs(const AnalysisInput& first, const AnalysisInput& second) {
    if (first.pairs.size() != second.pairs.size())
        return false;
    for (std::size_t p = 0; p < first.pairs.size(); ++p) {
        if (first.pairs[p].a != second.pairs[p].a || first.pairs[p].b != second.pairs[p].b)
            return false;
    }
    return true;
}

}  // namespace

FileDifferences computeFileDifferences(const AnalysisInput& input, const std::vector<std::string>& imageWords,
                                       const DifferenceSettings& settings) {
    const PairedData data(input);
    const ScaleValues values = computeScaleValues(countWins(input), input.panelCount);
    FileDifferences result;
    result.pathLabel = shownPath(input.dataPath);
    result.panels = data.panels();
    result.subjects = data.subjects();
    result.settings = settings;
    // Both depend on t and the levels only, the same for every image.
    const double quantile = studentizedRangeQuantile(1.0 - settings.alpha, data.panels());
    const double noncentrality = neededNoncentrality(data.panels() - 1, settings.alpha, settings.power);
    for (int m = 1; m <= data.images(); ++m) {
        ImageDifferences image;
        image.word = wordOf(imageWords, m);
        const BradleyTerry fit = bradleyTerryOf(data, m);
        image.test = differenceTestOf(data, m, fit);
        image.range = rangeTestOf(data, m, quantile);
        image.intervals = scoreIntervalsOf(values, m, settings.confidence);
        image.winning = winProbabilitiesOf(fit, data.panels());
        image.plan = samplePlanOf(data, m, image.winning, settings.alpha, settings.power, noncentrality);
        result.images.push_back(std::move(image));
    }
    return result;
}

FileGroupComparison compareFiles(const AnalysisInput& first, const AnalysisInput& second,
                                 const std::vector<std::string>& imageWords) {
    if (first.panelCount != second.panelCount || first.answers.images != second.answers.images ||
        !samePairs(first, second))
        throw UserError(messages::filesDoNotMatch(shownPath(first.dataPath), shownPath(second.dataPath)));
    const PairedData one(first);
    const PairedData two(second);
    FileGroupComparison result;
    result.firstLabel = shownPath(first.dataPath);
    result.secondLabel = shownPath(second.dataPath);
    result.panels = one.panels();
    for (int m = 1; m <= one.images(); ++m)
        result.images.push_back({wordOf(imageWords, m), groupComparisonOf(one, two, m)});
    return result;
}

}  // namespace kestrune::statistics
