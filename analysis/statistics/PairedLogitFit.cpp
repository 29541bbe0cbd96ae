#include "analysis/statistics/PairedLogitFit.h"

#include <algorithm>
#include <cmath>

namespace kestrune::statistics {

namespace {

constexpr int kIterationLimit = 100;
constexpr double kStepTolerance = 1e-10;
constexpr double kDivergenceBound = 40;

using Matrix = std::vector<std::vector<double>>;

// log σ(x) without overflow or cancellation.
double logSigmoid(double x) {
    return x < 0 ? x - std::log1p(std::exp(x)) : -std::log1p(std::exp(-x));
}

double sigmoid(double x) {
    if (x >= 0)
        return 1.0 / (1.0 + std::exp(-x));
    const double e = std::exp(x);
    return e / (1.0 + e);
}

int parameterCount(const PairedLogitModel& model) {
    return model.groups * (model.panels - 1) + (model.orderEffect ? 1 : 0);
}

// Index of λ_{g,k} among the parameters, or -1 for the fixed λ_{g,1}.
int worthIndex(const PairedLogitModel& model, int group, int panel) {
    return panel == 1 ? -1 : group * (model.panels - 1) + (panel - 2);
}

// The parameters of one count's linear predictor with their signs.
struct Term {
    int index;
    double sign;
};
int termsOf(const PairedLogitModel& model, const PairedCount& c, Term (&terms)[3]) {
    int n = 0;
    if (int i = worthIndex(model, c.group, c.a); i >= 0)
        terms[n++] = {i, 1.0};
    if (int i = worthIndex(model, c.group, c.b); i >= 0)
        terms[n++] = {i, -1.0};
    if (model.orderEffect)
        terms[n++] = {parameterCount(model) - 1, 1.0};
    return n;
}

double predictor(const Term (&terms)[3], int n, const std::vector<double>& x) {
    double eta = 0;
    for (int t = 0; t < n; ++t)
        eta += terms[t].sign * x[terms[t].index];
    return eta;
}

// Cholesky factor L (lower) of a symmetric positive definite matrix; false if it is not.
bool cholesky(const Matrix& a, Matrix& l) {
    const std::size_t n = a.size();
    l.assign(n, std::vector<double>(n, 0.0));
    for (std::size_t j = 0; j < n; ++j) {
        double d = a[j][j];
        for (std::size_t k = 0; k < j; ++k)
            d -= l[j][k] * l[j][k];
        if (!(d > 1e-300))
            return false;
        l[j][j] = std::sqrt(d);
        for (std::size_t i = j + 1; i < n; ++i) {
            double s = a[i][j];
            for (std::size_t k = 0; k < j; ++k)
                s -= l[i][k] * l[j][k];
            l[i][j] = s / l[j][j];
        }
    }
    return true;
}

std::vector<double> choleskySolve(const Matrix& l, std::vector<double> b) {
    const std::size_t n = l.size();
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t k = 0; k < i; ++k)
            b[i] -= l[i][k] * b[k];
        b[i] /= l[i][i];
    }
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t k = i + 1; k < n; ++k)
            b[i] -= l[k][i] * b[k];
        b[i] /= l[i][i];
    }
    return b;
}

Matrix choleskyInverse(const Matrix& l) {
    const std::size_t n = l.size();
    Matrix inverse(n, std::vector<double>(n, 0.0));
    for (std::size_t j = 0; j < n; ++j) {
        std::vector<double> unit(n, 0.0);
        unit[j] = 1.0;
        const std::vector<double> column = choleskySolve(l, unit);
        for (std::size_t i = 0; i < n; ++i)
            inverse[i][j] = column[i];
    }
    return inverse;
}

// Score vector and information matrix at x.
void scoreAndInformation(const PairedLogitModel& model, const std::vector<double>& x,
                         std::vector<double>& score, Matrix& information) {
    const std::size_t p = x.size();
    score.assign(p, 0.0);
    information.assign(p, std::vector<double>(p, 0.0));
    for (const PairedCount& c : model.counts) {
        Term terms[3];
        const int n = termsOf(model, c, terms);
        const double prob = sigmoid(predictor(terms, n, x));
        const double residual = c.choseA - c.answers * prob;
        const double weight = c.answers * prob * (1.0 - prob);
        for (int s = 0; s < n; ++s) {
            score[terms[s].index] += terms[s].sign * residual;
            for (int t = 0; t < n; ++t)
                information[terms[s].index][terms[t].index] += terms[s].sign * terms[t].sign * weight;
        }
    }
}

}  // namespace

double PairedLogitFit::logWorth(const PairedLogitModel& model, int group, int panel) const {
    const int i = worthIndex(model, group, panel);
    return i < 0 ? 0.0 : parameters[i];
}

double PairedLogitFit::logWorthVariance(const PairedLogitModel& model, int group, int panel) const {
    const int i = worthIndex(model, group, panel);
    return i < 0 ? 0.0 : covariance[i][i];
}

double logLikelihoodOf(const PairedLogitModel& model, const std::vector<double>& parameters) {
    double sum = 0;
    for (const PairedCount& c : model.counts) {
        Term terms[3];
        const int n = termsOf(model, c, terms);
        const double eta = predictor(terms, n, parameters);
        if (c.choseA > 0)
            sum += c.choseA * logSigmoid(eta);
        if (c.answers - c.choseA > 0)
            sum += (c.answers - c.choseA) * logSigmoid(-eta);
    }
    return sum;
}

double saturatedLogLikelihood(const std::vector<PairedCount>& counts) {
    double sum = 0;
    for (const PairedCount& c : counts) {
        const double other = c.answers - c.choseA;
        if (c.choseA > 0)
            sum += c.choseA * std::log(c.choseA / c.answers);
        if (other > 0)
            sum += other * std::log(other / c.answers);
    }
    return sum;
}

PairedLogitFit fitPairedLogit(const PairedLogitModel& model) {
    PairedLogitFit fit;
    std::vector<double> x(parameterCount(model), 0.0);
    double current = logLikelihoodOf(model, x);
    std::vector<double> score;
    Matrix information;
    Matrix factor;
    for (fit.iterations = 1; fit.iterations <= kIterationLimit; ++fit.iterations) {
        scoreAndInformation(model, x, score, information);
        if (!cholesky(information, factor))
            break;
        const std::vector<double> step = choleskySolve(factor, score);
        double largest = 0;
        for (double s : step)
            largest = std::max(largest, std::fabs(s));
        // Halve the step until the likelihood does not fall (it is concave, so this ends).
        double scale = 1.0;
        std::vector<double> next(x.size());
        double candidate = current;
        for (int halving = 0; halving < 60; ++halving, scale *= 0.5) {
            for (std::size_t i = 0; i < x.size(); ++i)
                next[i] = x[i] + scale * step[i];
            candidate = logLikelihoodOf(model, next);
            if (candidate >= current - 1e-12 * (1.0 + std::fabs(current)))
                break;
        }
        x = next;
        current = candidate;
        if (std::any_of(x.begin(), x.end(), [](double v) { return std::fabs(v) > kDivergenceBound; }))
            break;
        if (largest * scale < kStepTolerance) {
            fit.converged = true;
            break;
        }
    }
    fit.parameters = x;
    fit.logLikelihood = current;
    if (fit.converged) {
        scoreAndInformation(model, x, score, information);
        if (cholesky(information, factor))
            fit.covariance = choleskyInverse(factor);
        else
            fit.converged = false;
    }
    return fit;
}

std::optional<double> supremumLogLikelihood(const PairedLogitModel& model) {
    const int n = model.panels;
    // reach[i][j]: j can be reached from i along "was chosen over at least once".
    std::vector<std::vector<bool>> reach(n + 1, std::vector<bool>(n + 1, false));
    for (int k = 1; k <= n; ++k)
        reach[k][k] = true;
    for (const PairedCount& c : model.counts) {
        if (c.choseA > 0)
            reach[c.a][c.b] = true;
        if (c.answers - c.choseA > 0)
            reach[c.b][c.a] = true;
    }
    for (int k = 1; k <= n; ++k)
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j)
                if (reach[i][k] && reach[k][j])
                    reach[i][j] = true;
    std::vector<int> classOf(n + 1, 0);
    int classes = 0;
    for (int i = 1; i <= n; ++i) {
        if (classOf[i] != 0)
            continue;
        ++classes;
        for (int j = i; j <= n; ++j)
            if (reach[i][j] && reach[j][i])
                classOf[j] = classes;
    }
    double sum = 0;
    for (int c = 1; c <= classes; ++c) {
        // The class's own model, its panels numbered from 1 in their order.
        std::vector<int> number(n + 1, 0);
        PairedLogitModel part;
        for (int k = 1; k <= n; ++k)
            if (classOf[k] == c)
                number[k] = ++part.panels;
        if (part.panels < 2)
            continue;
        for (const PairedCount& count : model.counts) {
            if (classOf[count.a] == c && classOf[count.b] == c)
                part.counts.push_back({0, number[count.a], number[count.b], count.choseA, count.answers});
        }
        const PairedLogitFit fit = fitPairedLogit(part);
        if (!fit.converged)
            return std::nullopt;
        sum += fit.logLikelihood;
    }
    return sum;
}

}  // namespace kestrune::statistics
