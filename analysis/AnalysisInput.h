#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/AnalysisLimits.h"
#include "core/Response.h"
#include "core/Series.h"
#include "core/StudyDisk.h"

namespace kestrune {

// What every analysis of one response data file starts from: the answers, the series' panel
// count N (order file line 1) and the first P pairs of the order file, P being the data
// file's pair count. Only data inside the limits gets this far.
struct AnalysisInput {
    std::filesystem::path dataPath;
    TResponseMatrix answers;
    int panelCount = 0;
    std::vector<TPanelPair> pairs;
};

// Reads the data file and the order file and checks them against the limits, in this order:
// the header (subjects, pairs, images), the panel count and every panel number of the pair
// lines, then every answer (an unanswered -1 has its own message). Reading failures keep the
// readers' messages. Throws UserError; nothing is returned unless everything fits.
AnalysisInput loadAnalysisInput(const std::filesystem::path& dataPath, const std::filesystem::path& orderPath,
                                const AnalysisLimits& limits);

AnalysisInput loadAnalysisInput(const StudyDisk& disk, TSexGroup group, std::string_view series,
                                std::string_view file, const AnalysisLimits& limits);

// The same in two steps, for callers that stop between them (the diagram's standardised
// scores need two subjects before the order file is read): the data file with its header
// checked, then the order file and every answer.
TResponseMatrix readCheckedResponses(const std::filesystem::path& dataPath, const AnalysisLimits& limits);
AnalysisInput completeAnalysisInput(const std::filesystem::path& dataPath, TResponseMatrix answers,
                                    const std::filesystem::path& orderPath, const AnalysisLimits& limits);

// The path of a file as the user sees it in messages.
std::string shownPath(const std::filesystem::path& path);

}  // namespace kestrune
