#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/AnalysisInput.h"
#include "analysis/statistics/Agreement.h"
#include "analysis/statistics/BradleyTerry.h"
#include "analysis/statistics/CircularTriads.h"
#include "analysis/statistics/OrderBias.h"
#include "analysis/statistics/Screening.h"
#include "analysis/statistics/Thurstone.h"
#include "core/StudyDisk.h"

namespace kestrune::statistics {

// Every statistic of one image.
struct ImageStatistics {
    std::string word;
    std::vector<Consistency> consistency;  // subject s at index s - 1
    Agreement agreement;
    BradleyTerry bradleyTerry;
    Thurstone thurstone;
    OrderBias orderBias;
};

// Every statistic of one response data file, computed at once from the file and its series.
struct FileStatistics {
    std::string pathLabel;  // the data file's full path as the user sees it
    int panels = 0;
    int subjects = 0;
    std::vector<ImageStatistics> images;
    OverallOrderBias overallOrderBias;
    Screening screening;
};

FileStatistics computeFileStatistics(const AnalysisInput& input, const std::vector<std::string>& imageWords,
                                     double screeningLevel = kDefaultScreeningLevel,
                                     double screeningShare = kDefaultScreeningShare);

// Reads the data file, the order file and the vocabulary file of the series and checks the
// limits of the scale values, 3 to 10 panels and as many image words as the file has images;
// the pairs may be presented any number of times. Throws UserError.
AnalysisInput loadPairedInput(const StudyDisk& disk, TSexGroup group, std::string_view series,
                              std::string_view file, std::vector<std::string>& imageWords);

// Reads the data file, the order file and the vocabulary file of the series and checks them
// (the limits of the scale values, a complete pair set of 3 to 10 panels, as many image words
// as the file has images). Throws UserError.
AnalysisInput loadStatisticsInput(const StudyDisk& disk, TSexGroup group, std::string_view series,
                                  std::string_view file, std::vector<std::string>& imageWords);

FileStatistics fileStatistics(const StudyDisk& disk, TSexGroup group, std::string_view series,
                              std::string_view file, double screeningLevel = kDefaultScreeningLevel,
                              double screeningShare = kDefaultScreeningShare);

}  // namespace kestrune::statistics
