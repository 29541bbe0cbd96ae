#pragma once

#include <optional>
#include <vector>

namespace kestrune::statistics {

// Maximum likelihood for paired choices on the logit scale, the common core of the
// Bradley–Terry model and its order-effect extension. Each group (an image) has its own
// log-worths λ_{g,1..N} with λ_{g,1} = 0; P(A chosen) = σ(λ_{g,A} - λ_{g,B} + α) where the
// order effect α is a parameter only when asked for.
struct PairedCount {
    int group = 0;  // 0-based
    int a = 0;      // 1-based panels
    int b = 0;
    double choseA = 0;
    double answers = 0;
};

struct PairedLogitModel {
    int groups = 1;
    int panels = 0;
    bool orderEffect = false;
    std::vector<PairedCount> counts;
};

struct PairedLogitFit {
    bool converged = false;  // false: no finite maximum, or no convergence within the limit
    int iterations = 0;
    double logLikelihood = 0;                     // without the binomial coefficients
    std::vector<double> parameters;               // λ_{g,2..N} group by group, then α
    std::vector<std::vector<double>> covariance;  // inverse of the information at the estimate

    // λ_{g,k} (0 for k = 1) and its variance (0 for k = 1).
    double logWorth(const PairedLogitModel& model, int group, int panel) const;
    double logWorthVariance(const PairedLogitModel& model, int group, int panel) const;
    double orderEffect() const { return parameters.back(); }
    double orderEffectVariance() const { return covariance.back().back(); }
};

// Newton–Raphson with step halving from all zeros; stops when the largest step is below 1e-10
// (converged), after 100 iterations, or when a parameter passes ±40 on the logit scale, the
// sign that the likelihood has its supremum at infinity.
PairedLogitFit fitPairedLogit(const PairedLogitModel& model);

// The log-likelihood of the counts under fixed choice probabilities of A, and of the saturated
// model (each count's own proportion); terms 0·log 0 count 0. Both without binomial coefficients.
double logLikelihoodOf(const PairedLogitModel& model, const std::vector<double>& parameters);
double saturatedLogLikelihood(const std::vector<PairedCount>& counts);

// The supremum of the log-likelihood of a model of one group without order effect, finite even
// where the maximum is not: the panels fall into classes whose members beat each other in
// turn, every answer between two classes goes one way, and letting those classes drift apart
// makes each such answer certain, so the supremum is the sum of the maxima within the classes.
// Empty when a class's fit does not converge.
std::optional<double> supremumLogLikelihood(const PairedLogitModel& model);

}  // namespace kestrune::statistics
