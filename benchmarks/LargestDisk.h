#pragma once

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/StudyDisk.h"
#include "core/TextLines.h"

namespace kestrune {

inline constexpr int kSubjects = 100;
inline constexpr int kPanels = 10;
inline constexpr int kImages = 25;

// Answer 0 (panel A) or 1 (panel B) of subject s (0-based) on the pair (a, b) and image m
// (1-based); `draw` is a uniform number in [0, 1) from the disk's own sequence.
using AnswerRule = std::function<int(int s, int a, int b, int m, double draw)>;

// Coin flips: every answer equally likely.
inline int coinFlip(int, int, int, int, double draw) {
    return draw < 0.5 ? 0 : 1;
}

// A study disk with one series and one full-size data file, made once per run.
class LargestDisk {
  public:
    explicit LargestDisk(const AnswerRule& answer = coinFlip) {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrune-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary directory");
        root_ = pattern;
        for (const char* dir : {"order", "paper", "male/大"})
            std::filesystem::create_directories(root_ / dir);
        std::vector<std::string> order{"10,45"};
        std::vector<std::pair<int, int>> pairs;
        for (int a = 1; a <= kPanels; ++a) {
            for (int b = a + 1; b <= kPanels; ++b) {
                order.push_back(std::to_string(a) + "," + std::to_string(b));
                pairs.emplace_back(a, b);
            }
        }
        writeTextLines(root_ / "order" / "大.ord", order);
        std::vector<std::string> words{std::to_string(kImages)};
        for (int m = 1; m <= kImages; ++m)
            words.push_back("\"イメージ" + std::to_string(m) + "\"");
        writeTextLines(root_ / "paper" / "大.pap", words);
        std::vector<std::string> data{"100,45,25"};
        unsigned seed = 12345;
        for (int s = 0; s < kSubjects; ++s) {
            for (const auto& [a, b] : pairs) {
                for (int m = 1; m <= kImages; ++m) {
                    seed = seed * 1103515245u + 12345u;
                    const double draw = ((seed >> 8) & 0xffff) / 65536.0;
                    data.push_back(answer(s, a, b, m, draw) == 0 ? "0" : "1");
                }
            }
        }
        writeTextLines(dataPath(), data);
    }
    ~LargestDisk() { std::filesystem::remove_all(root_); }

    StudyDisk disk() const { return StudyDisk(root_); }
    std::filesystem::path dataPath() const { return root_ / "male" / "大" / "全員.dat"; }

  private:
    std::filesystem::path root_;
};

// The disk is made once per run.
inline const LargestDisk& largestDisk() {
    static const LargestDisk disk;
    return disk;
}

}  // namespace kestrune
