#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/AnalysisInput.h"
#include "analysis/statistics/Differences.h"
#include "core/StudyDisk.h"

namespace kestrune::statistics {

// The levels of the tests of difference, the score intervals and the plan.
struct DifferenceSettings {
    double alpha = 0.05;       // level of David's test, the range test and the plan
    double confidence = 0.95;  // of the score intervals
    double power = 0.8;        // wanted by the plan
};

struct ImageDifferences {
    std::string word;
    DifferenceTest test;
    RangeTest range;
    std::vector<ScoreInterval> intervals;  // panel k at k - 1
    WinProbabilities winning;
    SamplePlan plan;
};

// The tests of difference, intervals, win probabilities and plan of one data file.
struct FileDifferences {
    std::string pathLabel;
    int panels = 0;
    int subjects = 0;
    DifferenceSettings settings;
    std::vector<ImageDifferences> images;
};

FileDifferences computeFileDifferences(const AnalysisInput& input, const std::vector<std::string>& imageWords,
                                       const DifferenceSettings& settings);

// The comparison of two data files of one series, image by image.
struct ImageGroupComparison {
    std::string word;
    GroupComparison comparison;
};
struct FileGroupComparison {
    std::string firstLabel;
    std::string secondLabel;
    int panels = 0;
    std::vector<ImageGroupComparison> images;
};

// Throws UserError when the files differ in panels, pairs or images.
FileGroupComparison compareFiles(const AnalysisInput& first, const AnalysisInput& second,
                                 const std::vector<std::string>& imageWords);

}  // namespace kestrune::statistics
