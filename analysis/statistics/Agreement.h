#pragma once

#include <optional>

#include "analysis/statistics/PairedData.h"

namespace kestrune::statistics {

// Kendall's coefficient of agreement u of the subjects on one image, from the preference
// matrix: Σ = Σ_{i≠j} C(aᵢⱼ, 2), u = 2Σ / (C(m,2)·C(n,2)) - 1. With three or more subjects,
// Kendall and Babington Smith's chi-square with Σ reduced by one for continuity,
// χ² = 4(Σ - 1)/(m - 2) - C(n,2)·m(m-1)(m-3)/(m-2)², on C(n,2)·m(m-1)/(m-2)² degrees of freedom.
struct Agreement {
    int subjects = 0;
    long long sigma = 0;
    std::optional<double> u;  // needs two subjects
    // The test, with three or more subjects.
    std::optional<double> chiSquare;
    std::optional<double> degrees;
    std::optional<double> probability;
};
Agreement agreementOf(const PairedData& data, int image);

}  // namespace kestrune::statistics
