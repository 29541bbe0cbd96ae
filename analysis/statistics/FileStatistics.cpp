#include "analysis/statistics/FileStatistics.h"

#include "analysis/AnalysisLimits.h"
#include "analysis/AnalysisMessages.h"
#include "analysis/statistics/StatisticsMessages.h"
#include "core/Error.h"
#include "core/Series.h"

namespace kestrune::statistics {

FileStatistics computeFileStatistics(const AnalysisInput& input, const std::vector<std::string>& imageWords,
                                     double screeningLevel, double screeningShare) {
    checkStatisticsInput(input);
    const PairedData data(input);
    FileStatistics result;
    result.pathLabel = shownPath(input.dataPath);
    result.panels = data.panels();
    result.subjects = data.subjects();
    for (int m = 1; m <= data.images(); ++m) {
        ImageStatistics image;
        image.word = m <= static_cast<int>(imageWords.size()) ? imageWords[m - 1] : std::to_string(m);
        for (int s = 1; s <= data.subjects(); ++s)
            image.consistency.push_back(consistencyOfWins(data.subjectWins(s, m)));
        image.agreement = agreementOf(data, m);
        image.bradleyTerry = bradleyTerryOf(data, m);
        image.thurstone = thurstoneOf(data, m);
        image.orderBias = orderBiasOf(data, m);
        result.images.push_back(std::move(image));
    }
    result.overallOrderBias = overallOrderBias(data);
    result.screening = screenSubjects(data, screeningLevel, screeningShare);
    return result;
}

AnalysisInput loadPairedInput(const StudyDisk& disk, TSexGroup group, std::string_view series,
                              std::string_view file, std::vector<std::string>& imageWords) {
    AnalysisInput input = loadAnalysisInput(disk, group, series, file, kScaleValueLimits);
    if (input.panelCount < kFewestTriadPanels || input.panelCount > kMostTriadPanels)
        throw UserError(messages::panelCountUnsupported(shownPath(input.dataPath), input.panelCount));
    imageWords = ReadVocabularyFile(disk.vocabularyPath(series));
    if (static_cast<int>(imageWords.size()) != input.answers.images) {
        throw UserError(analysis_messages::imageCountMismatch(shownPath(input.dataPath), input.answers.images,
                                                              static_cast<long long>(imageWords.size())));
    }
    return input;
}

AnalysisInput loadStatisticsInput(const StudyDisk& disk, TSexGroup group, std::string_view series,
                                  std::string_view file, std::vector<std::string>& imageWords) {
    AnalysisInput input = loadPairedInput(disk, group, series, file, imageWords);
    checkStatisticsInput(input);
    return input;
}

FileStatistics fileStatistics(const StudyDisk& disk, TSexGroup group, std::string_view series,
                              std::string_view file, double screeningLevel, double screeningShare) {
    std::vector<std::string> words;
    const AnalysisInput input = loadStatisticsInput(disk, group, series, file, words);
    return computeFileStatistics(input, words, screeningLevel, screeningShare);
}

}  // namespace kestrune::statistics
