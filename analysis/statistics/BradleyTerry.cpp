#include "analysis/statistics/BradleyTerry.h"

#include <cmath>

#include "analysis/statistics/Distributions.h"

namespace kestrune::statistics {

namespace {

// Panels reachable from panel 1 along "i was preferred to j at least once" (or the reverse).
std::vector<bool> reachable(const PairedData& data, int image, bool forward) {
    const int n = data.panels();
    std::vector<bool> seen(n + 1, false);
    std::vector<int> stack{1};
    seen[1] = true;
    while (!stack.empty()) {
        const int i = stack.back();
        stack.pop_back();
        for (int j = 1; j <= n; ++j) {
            const int count = forward ? data.preferred(image, i, j) : data.preferred(image, j, i);
            if (j != i && !seen[j] && count > 0) {
                seen[j] = true;
                stack.push_back(j);
            }
        }
    }
    return seen;
}

}  // namespace

bool hasFiniteBradleyTerry(const PairedData& data, int image) {
    const std::vector<bool> forward = reachable(data, image, true);
    const std::vector<bool> backward = reachable(data, image, false);
    for (int k = 1; k <= data.panels(); ++k) {
        if (!forward[k] || !backward[k])
            return false;
    }
    return true;
}

PairedLogitModel bradleyTerryModel(const PairedData& data, int image, bool orderEffect, int group) {
    PairedLogitModel model;
    model.groups = group + 1;
    model.panels = data.panels();
    model.orderEffect = orderEffect;
    for (const Presentation& p : data.presentations(image))
        model.counts.push_back(
            {group, p.a, p.b, static_cast<double>(p.choseA), static_cast<double>(p.answers)});
    return model;
}

BradleyTerry bradleyTerryOf(const PairedData& data, int image) {
    BradleyTerry result;
    const int n = data.panels();
    result.degrees = (n - 1) * (n - 2) / 2;
    if (!hasFiniteBradleyTerry(data, image))
        return result;
    const PairedLogitModel model = bradleyTerryModel(data, image, false);
    const PairedLogitFit fit = fitPairedLogit(model);
    if (!fit.converged)
        return result;
    result.finite = true;
    result.logLikelihood = fit.logLikelihood;
    double total = 0;
    for (int k = 1; k <= n; ++k) {
        BradleyTerryPanel panel;
        panel.logWorth = fit.logWorth(model, 0, k);
        panel.standardError = std::sqrt(fit.logWorthVariance(model, 0, k));
        panel.lower = panel.logWorth - kNormalQuantile975 * panel.standardError;
        panel.upper = panel.logWorth + kNormalQuantile975 * panel.standardError;
        result.panels.push_back(panel);
    }
    // Worths scaled by the largest log-worth first, so that exp never overflows.
    double largest = result.panels.front().logWorth;
    for (const BradleyTerryPanel& panel : result.panels)
        largest = std::max(largest, panel.logWorth);
    for (BradleyTerryPanel& panel : result.panels)
        total += (panel.worth = std::exp(panel.logWorth - largest));
    for (BradleyTerryPanel& panel : result.panels)
        panel.worth /= total;
    result.deviance = std::max(0.0, 2.0 * (saturatedLogLikelihood(model.counts) - fit.logLikelihood));
    result.probability = result.degrees > 0 ? chiSquareUpperTail(result.deviance, result.degrees) : 1.0;
    return result;
}

}  // namespace kestrune::statistics
