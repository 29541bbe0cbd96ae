#include "analysis/statistics/Agreement.h"

#include <algorithm>

#include "analysis/statistics/Distributions.h"

namespace kestrune::statistics {

namespace {

long long pairsOf(long long k) {
    return k * (k - 1) / 2;
}

}  // namespace

Agreement agreementOf(const PairedData& data, int image) {
    Agreement result;
    const int n = data.panels();
    const long long m = data.subjects();
    result.subjects = static_cast<int>(m);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            if (i != j)
                result.sigma += pairsOf(data.preferred(image, i, j));
        }
    }
    if (m < 2)
        return result;
    const double panelPairs = static_cast<double>(pairsOf(n));
    result.u = 2.0 * static_cast<double>(result.sigma) / (static_cast<double>(pairsOf(m)) * panelPairs) - 1.0;
    if (m < 3)
        return result;
    const double md = static_cast<double>(m);
    const double spread = (md - 2) * (md - 2);
    const double corrected = std::max(0.0, static_cast<double>(result.sigma) - 1.0);
    result.chiSquare =
        std::max(0.0, 4.0 * corrected / (md - 2) - panelPairs * md * (md - 1) * (md - 3) / spread);
    result.degrees = panelPairs * md * (md - 1) / spread;
    result.probability = chiSquareUpperTail(*result.chiSquare, *result.degrees);
    return result;
}

}  // namespace kestrune::statistics
