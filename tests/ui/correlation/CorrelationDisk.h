#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/TempDisk.h"

namespace kestrune::testing {

// A data file's lines: "S,P,I" and one answer per line, subject by subject, pair by pair.
inline std::vector<std::string> answerLines(int subjects, int pairs, int images, unsigned seed) {
    std::vector<std::string> lines{std::to_string(subjects) + "," + std::to_string(pairs) + "," +
                                   std::to_string(images)};
    unsigned state = seed;
    for (int i = 0; i < subjects * pairs * images; ++i) {
        state = state * 1103515245u + 12345u;
        lines.push_back((state >> 16) % 2 == 0 ? "0" : "1");
    }
    return lines;
}

// The series "色" of 5 panels and the images 明るい, 暖かい, 派手な, 重い with two male files.
inline void makeColourSeries(const TempDisk& disk) {
    disk.makeSeries("色", 5, {"明るい", "暖かい", "派手な", "重い"});
    disk.writeLines("male/色/春.dat", answerLines(6, 10, 4, 7));
    disk.writeLines("male/色/秋.dat", answerLines(8, 10, 4, 11));
}

// Physical quantity file lines: Q,N then per quantity its name line and values.
struct QuantityLines {
    std::string name;
    std::string unit;
    std::vector<std::string> values;
};
inline std::vector<std::string> physicalLines(const std::vector<QuantityLines>& quantities) {
    const std::size_t panels = quantities.empty() ? 0 : quantities.front().values.size();
    std::vector<std::string> lines{std::to_string(quantities.size()) + "," + std::to_string(panels)};
    for (const QuantityLines& quantity : quantities) {
        lines.push_back("\"" + quantity.name + "\",\"" + quantity.unit + "\"");
        lines.insert(lines.end(), quantity.values.begin(), quantity.values.end());
    }
    return lines;
}

// What the batch program writes, as bytes; `arguments` follow "--root DISK".
inline std::string cliOutput(const TempDisk& disk, const std::string& arguments,
                             const std::string& outputName) {
    const std::filesystem::path out = disk.root() / outputName;
    const std::string command = std::string(KESTRUNE_CLI) + " --root '" + disk.root().string() + "' " +
                                arguments + " -o '" + out.string() + "' > /dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return {};
    return readBytes(out);
}

}  // namespace kestrune::testing
