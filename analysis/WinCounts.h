#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "analysis/AnalysisInput.h"
#include "core/ResponseBuffer.h"

namespace kestrune {

// W[s][k][m]: the number of pairs in which subject s chose panel k on image m (all 1-based).
// The table is wide enough for every panel number of the pair list, which may exceed the
// series' panel count N; the analyses show panels 1..N.
class WinCountTable {
  public:
    WinCountTable() = default;
    WinCountTable(int subjects, int panelWidth, int images);

    int subjects() const { return subjects_; }
    int panelWidth() const { return panelWidth_; }
    int images() const { return images_; }

    std::int32_t at(int subject, int panel, int image) const { return counts_[index(subject, panel, image)]; }
    void addWin(int subject, int panel, int image) { ++counts_[index(subject, panel, image)]; }
    // The counters of every image of one subject and panel, image 1 first: the bounds are
    // checked once for the whole row, so the counting loops index it freely.
    std::span<std::int32_t> imageRow(int subject, int panel);
    std::span<const std::int32_t> imageRow(int subject, int panel) const;

  private:
    std::size_t index(int subject, int panel, int image) const;
    std::size_t rowStart(int subject, int panel) const;

    int subjects_ = 0;
    int panelWidth_ = 0;
    int images_ = 0;
    std::vector<std::int32_t> counts_;
};

// Counts the wins in file order: answer 0 gives the pair's first panel a win, 1 its second.
// The input has been checked, so every answer is 0 or 1 and every panel number in range.
WinCountTable countWins(const AnalysisInput& input);

// The same, reading the answers from the main window's response buffer, into which the
// analyses load the file they count.
WinCountTable countWins(const ResponseBuffer& buffer, const AnalysisInput& input);

// The pages' way: with a buffer, the answers are loaded into it first and counted from there.
WinCountTable loadAndCountWins(const AnalysisInput& input, ResponseBuffer* buffer);

}  // namespace kestrune
