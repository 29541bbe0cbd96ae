#include "analysis/statistics/PairedData.h"

#include "analysis/statistics/CircularTriads.h"
#include "analysis/statistics/StatisticsMessages.h"
#include "core/Error.h"

namespace kestrune::statistics {

PairedData::PairedData(const AnalysisInput& input) : panels_(input.panelCount), wins_(countWins(input)) {
    const TResponseMatrix& m = input.answers;
    presentations_.assign(m.images, {});
    preference_.assign(m.images, std::vector<int>(static_cast<std::size_t>(panels_) * panels_, 0));
    for (int i = 1; i <= m.images; ++i) {
        for (int p = 1; p <= m.pairs; ++p) {
            const TPanelPair& pair = input.pairs[p - 1];
            presentations_[i - 1].push_back({pair.a, pair.b, 0, m.subjects});
        }
    }
    std::size_t n = 0;
    for (int s = 1; s <= m.subjects; ++s) {
        for (int p = 1; p <= m.pairs; ++p) {
            const TPanelPair& pair = input.pairs[p - 1];
            for (int i = 1; i <= m.images; ++i, ++n) {
                const bool choseA = m.answers[n] == kChoseA;
                if (choseA)
                    ++presentations_[i - 1][p - 1].choseA;
                const int winner = choseA ? pair.a : pair.b;
                const int loser = choseA ? pair.b : pair.a;
                ++preference_[i - 1][static_cast<std::size_t>(winner - 1) * panels_ + (loser - 1)];
            }
        }
    }
}

std::vector<int> PairedData::subjectWins(int subject, int image) const {
    std::vector<int> wins(panels_);
    for (int k = 1; k <= panels_; ++k)
        wins[k - 1] = wins_.at(subject, k, image);
    return wins;
}

int PairedData::preferred(int image, int i, int j) const {
    return preference_.at(image - 1).at(static_cast<std::size_t>(i - 1) * panels_ + (j - 1));
}

void checkStatisticsInput(const AnalysisInput& input) {
    const std::string file = shownPath(input.dataPath);
    if (input.panelCount < kFewestTriadPanels || input.panelCount > kMostTriadPanels)
        throw UserError(messages::panelCountUnsupported(file, input.panelCount));
    if (!isCompletePairSet(input.panelCount, input.pairs))
        throw UserError(messages::incompletePairSet(file));
}

}  // namespace kestrune::statistics
