#pragma once

#include <optional>
#include <vector>

#include "analysis/statistics/PairedData.h"

namespace kestrune::statistics {

// How often the panel shown as A was chosen, with the exact two-sided binomial test against
// one half, and Davidson and Beaver's order effect: the Bradley–Terry model with
// P(A chosen) = σ(λ_A - λ_B + α), its estimate α (0: no effect; positive: A favoured), the
// standard error from the information, and the likelihood-ratio test against α = 0 (one
// degree of freedom).
struct OrderEffect {
    double estimate = 0;
    double standardError = 0;
    double chiSquare = 0;
    double probability = 0;
};

struct OrderBias {
    long long choseA = 0;
    long long answers = 0;
    double share = 0;
    double binomialProbability = 1;
    // Absent when either model has no finite maximum (every answer A, a panel that always
    // wins, ...).
    std::optional<OrderEffect> effect;
};

OrderBias orderBiasOf(const PairedData& data, int image);

// Over all images: the counts summed, and one order effect common to all images with
// log-worths of their own, fitted over the images whose Bradley–Terry model has a finite
// maximum (`imagesUsed` of them).
struct OverallOrderBias {
    OrderBias bias;
    int imagesUsed = 0;
};
OverallOrderBias overallOrderBias(const PairedData& data);

}  // namespace kestrune::statistics
