#pragma once

#include <vector>

#include "analysis/statistics/PairedData.h"
#include "analysis/statistics/PairedLogitFit.h"

namespace kestrune::statistics {

// The Bradley–Terry model of one image by maximum likelihood: log-worths λ with panel 1 at 0,
// worths exp(λ) scaled to sum to 1, standard errors from the inverse information (none for
// panel 1, fixed by the convention), Wald 95 % limits λ ± 1.959964·SE, and the deviance
// against the saturated model of the pairs with its degrees of freedom C(n,2) - (n - 1).
struct BradleyTerryPanel {
    double logWorth = 0;
    double worth = 0;
    double standardError = 0;  // 0 for panel 1
    double lower = 0;
    double upper = 0;
};

struct BradleyTerry {
    // False when some set of panels won every comparison against the others (a panel that
    // wins or loses everything, for example): the likelihood then has no finite maximum.
    bool finite = false;
    std::vector<BradleyTerryPanel> panels;  // panel k at index k - 1
    double deviance = 0;
    int degrees = 0;
    double probability = 0;  // of the deviance as chi-square on its degrees
    double logLikelihood = 0;
};

inline constexpr double kNormalQuantile975 = 1.959963984540054;

// Whether every panel can be reached from every other by a chain of "was preferred at least
// once" on this image: the condition for a finite maximum (Zermelo, Ford).
bool hasFiniteBradleyTerry(const PairedData& data, int image);

// The counts of the image's pairs, each unordered pair once with panel A first.
PairedLogitModel bradleyTerryModel(const PairedData& data, int image, bool orderEffect, int group = 0);

BradleyTerry bradleyTerryOf(const PairedData& data, int image);

}  // namespace kestrune::statistics
