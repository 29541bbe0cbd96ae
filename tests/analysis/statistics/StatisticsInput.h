#pragma once

#include <cstdint>
#include <vector>

#include "analysis/AnalysisInput.h"
#include "analysis/statistics/PairedData.h"

namespace kestrune::testing {

// All pairs of n panels in the order (1,2), (1,3), ..., (n-1,n).
inline std::vector<TPanelPair> allPairs(int n) {
    std::vector<TPanelPair> pairs;
    for (int a = 1; a <= n; ++a)
        for (int b = a + 1; b <= n; ++b)
            pairs.push_back({a, b});
    return pairs;
}

// A checked input held in memory: answers subject by subject, pair by pair, image by image.
inline AnalysisInput memoryInput(int panels, std::vector<TPanelPair> pairs, int subjects, int images,
                                 std::vector<std::int32_t> answers) {
    AnalysisInput input;
    input.dataPath = "memory.dat";
    input.panelCount = panels;
    input.answers = {subjects, static_cast<std::int32_t>(pairs.size()), images, std::move(answers)};
    input.pairs = std::move(pairs);
    return input;
}

// One image where every subject gives the same answers.
inline AnalysisInput repeatedSubjects(int panels, const std::vector<TPanelPair>& pairs, int subjects,
                                      const std::vector<std::int32_t>& oneSubject) {
    std::vector<std::int32_t> answers;
    for (int s = 0; s < subjects; ++s)
        answers.insert(answers.end(), oneSubject.begin(), oneSubject.end());
    return memoryInput(panels, pairs, subjects, 1, answers);
}

}  // namespace kestrune::testing
