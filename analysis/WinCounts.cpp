#include "analysis/WinCounts.h"

#include <algorithm>
#include <stdexcept>

namespace kestrune {

WinCountTable::WinCountTable(int subjects, int panelWidth, int images)
    : subjects_(subjects),
      panelWidth_(panelWidth),
      images_(images),
      counts_(static_cast<std::size_t>(subjects) * panelWidth * images, 0) {}

std::size_t WinCountTable::index(int subject, int panel, int image) const {
    if (subject < 1 || subject > subjects_ || panel < 1 || panel > panelWidth_ || image < 1 ||
        image > images_) {
        throw std::out_of_range("win count index outside the table");
    }
    return (static_cast<std::size_t>(subject - 1) * panelWidth_ + (panel - 1)) * images_ + (image - 1);
}

namespace {

int panelWidthOf(const AnalysisInput& input) {
    int width = input.panelCount;
    for (const TPanelPair& pair : input.pairs)
        width = std::max({width, pair.a, pair.b});
    return width;
}

template <typename AnswerAt>
WinCountTable count(const AnalysisInput& input, AnswerAt answerAt) {
    const TResponseMatrix& m = input.answers;
    WinCountTable wins(m.subjects, panelWidthOf(input), m.images);
    std::size_t n = 0;
    for (int s = 1; s <= m.subjects; ++s) {
        for (int p = 1; p <= m.pairs; ++p) {
            const TPanelPair& pair = input.pairs[p - 1];
            for (int i = 1; i <= m.images; ++i, ++n) {
                const std::int32_t answer = answerAt(n);
                if (answer == kChoseA) {
                    wins.addWin(s, pair.a, i);
                } else if (answer == kChoseB) {
                    wins.addWin(s, pair.b, i);
                } else {
                    throw std::logic_error("unchecked answer reached the win count");
                }
            }
        }
    }
    return wins;
}

}  // namespace

WinCountTable countWins(const AnalysisInput& input) {
    return count(input, [&](std::size_t n) { return input.answers.answers[n]; });
}

WinCountTable countWins(const ResponseBuffer& buffer, const AnalysisInput& input) {
    return count(input, [&](std::size_t n) { return buffer.answer(n); });
}

WinCountTable loadAndCountWins(const AnalysisInput& input, ResponseBuffer* buffer) {
    if (!buffer)
        return countWins(input);
    buffer->load(input.answers);
    return countWins(*buffer, input);
}

}  // namespace kestrune
