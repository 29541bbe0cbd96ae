#include "analysis/ScaleValues.h"

#include <cmath>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace kestrune {

ScaleValues::ScaleValues(int panels, int images, int subjects)
    : panels_(panels),
      images_(images),
      subjects_(subjects),
      score_(static_cast<std::size_t>(panels) * images, 0.0),
      deviation_(score_.size(), 0.0),
      standardised_(score_.size(), 0.0),
      meanDeviation_(images, 0.0) {}

std::size_t ScaleValues::index(int panel, int image) const {
    if (panel < 1 || panel > panels_ || image < 1 || image > images_) {
        throw std::out_of_range("scale value index outside the table");
    }
    return static_cast<std::size_t>(panel - 1) * images_ + (image - 1);
}

ScaleValues computeScaleValues(const WinCountTable& wins, int panelCount) {
    const int d = wins.subjects();
    const int n = panelCount;
    if (n < 2 || d < 1 || n > wins.panelWidth())
        throw std::invalid_argument("scale values need N >= 2, D >= 1");
    ScaleValues values(n, wins.images(), d);
    // The sums over the subjects first, a table row (every image of one subject and panel) at a
    // time, laid out as the values are; integers, so the order of adding does not matter.
    const std::size_t images = static_cast<std::size_t>(wins.images());
    std::vector<std::int64_t> sums(values.score_.size(), 0);
    std::vector<std::int64_t> squareSums(values.score_.size(), 0);
    for (int k = 1; k <= n; ++k) {
        const std::size_t first = static_cast<std::size_t>(k - 1) * images;
        for (int s = 1; s <= d; ++s) {
            const std::span<const std::int32_t> row = wins.imageRow(s, k);
            for (std::size_t m = 0; m < images; ++m) {
                const std::int64_t w = row[m];
                sums[first + m] += w;
                squareSums[first + m] += w * w;
            }
        }
    }
    for (int m = 1; m <= wins.images(); ++m) {
        for (int k = 1; k <= n; ++k) {
            const std::size_t at = values.index(k, m);
            const std::int64_t sum = sums[at];
            const std::int64_t squares = squareSums[at];
            values.score_[at] = static_cast<double>(sum) / (n - 1) / d * 100;
            if (d >= 2) {
                const std::int64_t numerator = d * squares - sum * sum;
                values.deviation_[at] =
                    std::sqrt(static_cast<double>(numerator) / d / (d - 1)) / (n - 1) * 100;
                values.meanDeviation_[m - 1] += values.deviation_[at];
            }
        }
        values.meanDeviation_[m - 1] /= n;
        if (values.hasStandardised(m)) {
            for (int k = 1; k <= n; ++k) {
                const std::size_t at = values.index(k, m);
                values.standardised_[at] = (values.score_[at] - 50) / values.meanDeviation_[m - 1];
            }
        }
    }
    return values;
}

}  // namespace kestrune
