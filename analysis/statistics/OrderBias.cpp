#include "analysis/statistics/OrderBias.h"

#include <cmath>

#include "analysis/statistics/BradleyTerry.h"
#include "analysis/statistics/Distributions.h"
#include "analysis/statistics/PairedLogitFit.h"

namespace kestrune::statistics {

namespace {

void addCounts(const PairedData& data, int image, OrderBias& bias) {
    for (const Presentation& p : data.presentations(image)) {
        bias.choseA += p.choseA;
        bias.answers += p.answers;
    }
}

void finishCounts(OrderBias& bias) {
    bias.share = bias.answers > 0 ? static_cast<double>(bias.choseA) / static_cast<double>(bias.answers) : 0;
    bias.binomialProbability = binomialTwoSidedHalf(bias.choseA, bias.answers);
}

// Both fits of the same counts, without and with α.
std::optional<OrderEffect> orderEffectOf(PairedLogitModel model) {
    model.orderEffect = false;
    const PairedLogitFit without = fitPairedLogit(model);
    model.orderEffect = true;
    const PairedLogitFit with = fitPairedLogit(model);
    if (!without.converged || !with.converged)
        return std::nullopt;
    OrderEffect effect;
    effect.estimate = with.orderEffect();
    effect.standardError = std::sqrt(with.orderEffectVariance());
    effect.chiSquare = std::max(0.0, 2.0 * (with.logLikelihood - without.logLikelihood));
    effect.probability = chiSquareUpperTail(effect.chiSquare, 1);
    return effect;
}

}  // namespace

OrderBias orderBiasOf(const PairedData& data, int image) {
    OrderBias bias;
    addCounts(data, image, bias);
    finishCounts(bias);
    if (hasFiniteBradleyTerry(data, image))
        bias.effect = orderEffectOf(bradleyTerryModel(data, image, false));
    return bias;
}

OverallOrderBias overallOrderBias(const PairedData& data) {
    OverallOrderBias overall;
    PairedLogitModel model;
    model.panels = data.panels();
    model.groups = 0;
    for (int m = 1; m <= data.images(); ++m) {
        addCounts(data, m, overall.bias);
        if (!hasFiniteBradleyTerry(data, m))
            continue;
        const PairedLogitModel one = bradleyTerryModel(data, m, false, model.groups);
        model.counts.insert(model.counts.end(), one.counts.begin(), one.counts.end());
        ++model.groups;
    }
    finishCounts(overall.bias);
    overall.imagesUsed = model.groups;
    if (model.groups > 0)
        overall.bias.effect = orderEffectOf(model);
    return overall;
}

}  // namespace kestrune::statistics
