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

std::size_t WinCountTable::rowStart(int subject, int panel) const {
    if (subject < 1 || subject > subjects_ || panel < 1 || panel > panelWidth_)
        throw std::out_of_range("win count row outside the table");
    return (static_cast<std::size_t>(subject - 1) * panelWidth_ + (panel - 1)) * images_;
}

std::span<std::int32_t> WinCountTable::imageRow(int subject, int panel) {
    return std::span<std::int32_t>(counts_).subspan(rowStart(subject, panel),
                                                    static_cast<std::size_t>(images_));
}

std::span<const std::int32_t> WinCountTable::imageRow(int subject, int panel) const {
    return std::span<const std::int32_t>(counts_).subspan(rowStart(subject, panel),
                                                          static_cast<std::size_t>(images_));
}

namespace {

int panelWidthOf(const AnalysisInput& input) {
    int width = input.panelCount;
    for (const TPanelPair& pair : input.pairs)
        width = std::max({width, pair.a, pair.b});
    return width;
}

// The loops below index the answers, the pairs and the table rows without a check per answer:
// the input's sizes are checked here once instead.
void requireCountable(const AnalysisInput& input) {
    const TResponseMatrix& m = input.answers;
    if (m.subjects < 0 || m.pairs < 0 || m.images < 0 || input.answers.answers.size() < m.answerCount() ||
        input.pairs.size() < static_cast<std::size_t>(m.pairs)) {
        throw std::logic_error("win count input smaller than its header");
    }
}

// One pair's answers on every image of one subject. Three plain loops, which the compiler
// vectorises, in place of a branch per answer that is as likely 0 as 1. The two rows are the
// same when a pair names one panel twice; the loops run one after the other, so each answer
// still adds exactly one win. False if an answer is neither 0 nor 1.
bool addPairAnswers(const std::int32_t* answers, std::size_t images, std::int32_t* first,
                    std::int32_t* second) {
    std::uint32_t outside = 0;
    for (std::size_t i = 0; i < images; ++i)
        outside |= static_cast<std::uint32_t>(answers[i]) > 1u;
    for (std::size_t i = 0; i < images; ++i)
        first[i] += answers[i] == kChoseA;
    for (std::size_t i = 0; i < images; ++i)
        second[i] += answers[i] == kChoseB;
    return outside == 0;
}

// `answersFrom(n)` gives the images' answers starting at answer number n.
template <typename AnswersFrom>
WinCountTable count(const AnalysisInput& input, AnswersFrom answersFrom) {
    requireCountable(input);
    const TResponseMatrix& m = input.answers;
    const std::size_t images = static_cast<std::size_t>(m.images);
    WinCountTable wins(m.subjects, panelWidthOf(input), m.images);
    std::size_t n = 0;
    for (int s = 1; s <= m.subjects; ++s) {
        for (int p = 1; p <= m.pairs; ++p, n += images) {
            const TPanelPair& pair = input.pairs[p - 1];
            if (!addPairAnswers(answersFrom(n), images, wins.imageRow(s, pair.a).data(),
                                wins.imageRow(s, pair.b).data())) {
                throw std::logic_error("unchecked answer reached the win count");
            }
        }
    }
    return wins;
}

}  // namespace

WinCountTable countWins(const AnalysisInput& input) {
    const std::int32_t* const answers = input.answers.answers.data();
    return count(input, [answers](std::size_t n) { return answers + n; });
}

WinCountTable countWins(const ResponseBuffer& buffer, const AnalysisInput& input) {
    std::vector<std::int32_t> row(static_cast<std::size_t>(std::max(input.answers.images, 0)));
    return count(input, [&](std::size_t n) {
        for (std::size_t i = 0; i < row.size(); ++i)
            row[i] = buffer.answer(n + i);
        return row.data();
    });
}

WinCountTable loadAndCountWins(const AnalysisInput& input, ResponseBuffer* buffer) {
    if (!buffer)
        return countWins(input);
    buffer->load(input.answers);
    return countWins(*buffer, input);
}

}  // namespace kestrune
