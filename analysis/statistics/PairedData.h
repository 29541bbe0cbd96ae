#pragma once

#include <string>
#include <vector>

#include "analysis/AnalysisInput.h"
#include "analysis/WinCounts.h"

namespace kestrune::statistics {

// One presentation of a pair on one image, pooled over the subjects: panel A (shown first,
// answer 0), panel B, how many subjects chose A, and how many answered.
struct Presentation {
    int a = 0;
    int b = 0;
    int choseA = 0;
    int answers = 0;
};

// The answers of one data file arranged for the statistics: the win counts of every subject,
// and per image the presentations and the preference matrix (how many subjects preferred
// panel i to panel j).
class PairedData {
  public:
    explicit PairedData(const AnalysisInput& input);

    int panels() const { return panels_; }
    int subjects() const { return wins_.subjects(); }
    int images() const { return wins_.images(); }

    // The wins of panels 1..N of subject s on image m (1-based), as a list from panel 1.
    std::vector<int> subjectWins(int subject, int image) const;
    // Presentations of image m in presentation order.
    const std::vector<Presentation>& presentations(int image) const { return presentations_.at(image - 1); }
    // a_ij of image m: subjects who preferred i to j (1-based panels).
    int preferred(int image, int i, int j) const;

  private:
    int panels_;
    WinCountTable wins_;
    std::vector<std::vector<Presentation>> presentations_;
    std::vector<std::vector<int>> preference_;  // per image, N × N row-major
};

// The statistics need a complete pair set of 3 to 10 panels, each pair presented once, so
// that every subject's answers form one tournament. Throws UserError otherwise.
void checkStatisticsInput(const AnalysisInput& input);

}  // namespace kestrune::statistics
