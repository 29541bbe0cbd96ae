#pragma once

#include <string>
#include <vector>

#include "tests/support/TempDisk.h"

namespace kestrune::testing {

// A data file's lines: the header "S,P,I" and one answer per line.
inline std::vector<std::string> dataLines(int subjects, int pairs, int images,
                                          const std::vector<int>& answers) {
    std::vector<std::string> lines{std::to_string(subjects) + "," + std::to_string(pairs) + "," +
                                   std::to_string(images)};
    for (int answer : answers)
        lines.push_back(std::to_string(answer));
    return lines;
}

// The worked example of the scale value table: three panels, pairs (1,2), (1,3), (2,3), the
// image "明るい", subject 1 answering 0, 0, 0 and subject 2 answering 1, 0, 1.
inline void makeWorkedExample(const TempDisk& disk, const std::string& file = "例題") {
    disk.makeSeries("印象", 3, {"明るい"});
    disk.writeLines("male/印象/" + file + ".dat", dataLines(2, 3, 1, {0, 0, 0, 1, 0, 1}));
}

}  // namespace kestrune::testing
