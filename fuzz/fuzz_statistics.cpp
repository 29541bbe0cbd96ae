// The paired-comparison statistics of a fuzzed set of answers: consistency, agreement,
// Thurstone and Bradley-Terry scales, order bias and the screening, with every table the
// sub-page and the batch program show. The input chooses the panel count, the subjects, the
// images, the order of the pairs, every answer and the screening's level and share. Only our
// own refusals may stop them, and no table may show a number that is not one.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/statistics/BatchTables.h"
#include "analysis/statistics/FileStatistics.h"
#include "analysis/statistics/StatisticsGrids.h"
#include "core/Error.h"
#include "fuzz/ScratchDisk.h"

using namespace kestrune;
namespace st = kestrune::statistics;

namespace {

// The input read front to back; zeros once it is used up.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }
    bool bit() {
        if (bits_ == 0) {
            byte_ = next();
            bits_ = 8;
        }
        --bits_;
        return ((byte_ >> bits_) & 1) != 0;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
    std::uint8_t byte_ = 0;
    int bits_ = 0;
};

void requireFinite(const TextGrid& grid) {
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c)
            fuzz::requireNoNonFiniteText(grid.cell(c, r));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in(data, size);
    AnalysisInput input;
    input.panelCount = 3 + in.next() % 8;  // 3 to 10 panels
    for (int a = 1; a <= input.panelCount; ++a) {
        for (int b = a + 1; b <= input.panelCount; ++b)
            input.pairs.push_back(in.bit() ? TPanelPair{b, a} : TPanelPair{a, b});
    }
    // Presentation order from the input: a few swaps of whole pairs.
    for (int swaps = in.next() % 16; swaps > 0; --swaps) {
        const std::size_t i = in.next() % input.pairs.size();
        const std::size_t j = in.next() % input.pairs.size();
        std::swap(input.pairs[i], input.pairs[j]);
    }
    input.answers.subjects = 1 + in.next() % 12;
    input.answers.pairs = static_cast<std::int32_t>(input.pairs.size());
    input.answers.images = 1 + in.next() % 3;
    input.answers.answers.resize(input.answers.answerCount());
    // Whole subjects alike now and then, so that degenerate cases (everyone agrees, a panel
    // never chosen) are reached as often as random ones.
    const bool uniform = in.bit();
    for (std::int32_t& answer : input.answers.answers)
        answer = uniform ? (in.bit() && in.bit() ? 1 : 0) : (in.bit() ? 1 : 0);
    std::vector<std::string> words;
    for (int i = 1; i <= input.answers.images; ++i)
        words.push_back("w" + std::to_string(i));
    const double level = 0.001 + (in.next() % 200) / 1000.0;
    const double share = (in.next() % 101) / 100.0;

    try {
        const st::FileStatistics stats = st::computeFileStatistics(input, words, level, share);
        for (int t = 0; t < st::kStatisticsTableCount; ++t) {
            const auto table = static_cast<st::StatisticsTable>(t);
            for (int image = 1; image <= input.answers.images; ++image)
                requireFinite(st::imageStatisticsGrid(stats, table, image));
            requireFinite(st::summaryStatisticsGrid(stats, table));
        }
        requireFinite(st::consistencyBatchTable(stats));
        requireFinite(st::agreementBatchTable(stats));
        requireFinite(st::bradleyTerryBatchTable(stats));
        requireFinite(st::thurstoneBatchTable(stats));
        requireFinite(st::orderBiasBatchTable(stats));
        requireFinite(st::screeningBatchTable(stats.screening));
    } catch (const UserError&) {
    }
    return 0;
}
