#include "analysis/statistics/Distributions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kestrune::statistics {

namespace {

constexpr double kSqrtHalf = 0.70710678118654752440;
constexpr double kInvSqrtTwoPi = 0.39894228040143267794;

double normalDensity(double x) {
    return kInvSqrtTwoPi * std::exp(-0.5 * x * x);
}

// Series of the lower function, good for x < a + 1: P(a, x).
double gammaLowerSeries(double a, double x) {
    double term = 1.0 / a;
    double sum = term;
    for (int n = 1; n < 10000; ++n) {
        term *= x / (a + n);
        sum += term;
        if (std::fabs(term) < std::fabs(sum) * 1e-17)
            break;
    }
    return sum * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

// Continued fraction of the upper function (modified Lentz), good for x ≥ a + 1: Q(a, x).
double gammaUpperFraction(double a, double x) {
    constexpr double tiny = 1e-300;
    double b = x + 1.0 - a;
    double c = 1.0 / tiny;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i < 10000; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < tiny)
            d = tiny;
        c = b + an / c;
        if (std::fabs(c) < tiny)
            c = tiny;
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < 1e-16)
            break;
    }
    return std::exp(-x + a * std::log(x) - std::lgamma(a)) * h;
}

// log C(n, k)
double logChoose(std::int64_t n, std::int64_t k) {
    return std::lgamma(static_cast<double>(n) + 1) - std::lgamma(static_cast<double>(k) + 1) -
           std::lgamma(static_cast<double>(n - k) + 1);
}

// P(X ≤ k) for X ~ Bin(n, 1/2), k ≤ n/2: from the largest term P(X = k) down the tail, each
// term from the one above it, until the terms no longer count.
double binomialLowerHalf(std::int64_t k, std::int64_t n) {
    double term = std::exp(logChoose(n, k) + static_cast<double>(n) * std::log(0.5));
    double sum = 0;
    for (std::int64_t i = k; i >= 0 && term > 0; --i) {
        sum += term;
        if (term < sum * 1e-18)
            break;
        term *= static_cast<double>(i) / static_cast<double>(n - i + 1);
    }
    return std::min(sum, 1.0);
}

// Continued fraction of the incomplete beta function (modified Lentz), good for
// x < (a + 1) / (a + b + 2).
double betaFraction(double a, double b, double x) {
    constexpr double tiny = 1e-300;
    double c = 1.0;
    double d = 1.0 - (a + b) * x / (a + 1.0);
    if (std::fabs(d) < tiny)
        d = tiny;
    d = 1.0 / d;
    double h = d;
    for (int m = 1; m < 10000; ++m) {
        const double m2 = 2.0 * m;
        double an = m * (b - m) * x / ((a + m2 - 1.0) * (a + m2));
        d = 1.0 + an * d;
        d = std::fabs(d) < tiny ? 1.0 / tiny : 1.0 / d;
        c = 1.0 + an / c;
        if (std::fabs(c) < tiny)
            c = tiny;
        h *= d * c;
        an = -(a + m) * (a + b + m) * x / ((a + m2) * (a + m2 + 1.0));
        d = 1.0 + an * d;
        d = std::fabs(d) < tiny ? 1.0 / tiny : 1.0 / d;
        c = 1.0 + an / c;
        if (std::fabs(c) < tiny)
            c = tiny;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < 1e-16)
            break;
    }
    return h;
}

// The root of an increasing function on [low, high] by bisection to the last bits.
template <typename F>
double increasingRoot(F f, double target, double low, double high) {
    for (int step = 0; step < 200 && high - low > 1e-14 * (1.0 + std::fabs(high)); ++step) {
        const double mid = 0.5 * (low + high);
        (f(mid) < target ? low : high) = mid;
    }
    return 0.5 * (low + high);
}

}  // namespace

double normalCdf(double x) {
    return 0.5 * std::erfc(-x * kSqrtHalf);
}

double normalUpperTail(double x) {
    return 0.5 * std::erfc(x * kSqrtHalf);
}

double normalQuantile(double p) {
    if (!(p > 0.0 && p < 1.0))
        return std::numeric_limits<double>::quiet_NaN();
    // A rational start (error below 5e-4), then Halley steps on Φ(x) - p with the exact Φ.
    const double q = std::min(p, 1.0 - p);
    const double t = std::sqrt(-2.0 * std::log(q));
    double x = t - (2.515517 + t * (0.802853 + t * 0.010328)) /
                       (1.0 + t * (1.432788 + t * (0.189269 + t * 0.001308)));
    if (p < 0.5)
        x = -x;
    for (int step = 0; step < 4; ++step) {
        // The residual from the nearer tail keeps its relative accuracy far out.
        const double residual = x < 0 ? normalCdf(x) - p : (1.0 - p) - normalUpperTail(x);
        const double slope = normalDensity(x);
        if (slope <= 0)
            break;
        const double u = residual / slope;
        x -= u / (1.0 + 0.5 * x * u);
    }
    return x;
}

double regularisedGammaUpper(double a, double x) {
    if (!(a > 0) || x < 0 || std::isnan(x))
        return std::numeric_limits<double>::quiet_NaN();
    if (x == 0)
        return 1.0;
    if (x < a + 1.0)
        return std::clamp(1.0 - gammaLowerSeries(a, x), 0.0, 1.0);
    return std::clamp(gammaUpperFraction(a, x), 0.0, 1.0);
}

double chiSquareUpperTail(double x, double degrees) {
    if (x <= 0)
        return 1.0;
    return regularisedGammaUpper(0.5 * degrees, 0.5 * x);
}

double binomialTwoSidedHalf(std::int64_t k, std::int64_t n) {
    if (n <= 0)
        return 1.0;
    const std::int64_t nearerTail = std::min(k, n - k);
    if (2 * nearerTail == n)
        return 1.0;
    return std::min(1.0, 2.0 * binomialLowerHalf(nearerTail, n));
}

double regularisedBeta(double a, double b, double x) {
    if (!(a > 0 && b > 0) || !(x >= 0 && x <= 1))
        return std::numeric_limits<double>::quiet_NaN();
    if (x == 0 || x == 1)
        return x;
    const double front =
        std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log1p(-x));
    if (x < (a + 1.0) / (a + b + 2.0))
        return std::clamp(front * betaFraction(a, b, x) / a, 0.0, 1.0);
    return std::clamp(1.0 - front * betaFraction(b, a, 1.0 - x) / b, 0.0, 1.0);
}

double studentCdf(double x, double degrees) {
    const double tail = 0.5 * regularisedBeta(0.5 * degrees, 0.5, degrees / (degrees + x * x));
    return x < 0 ? tail : 1.0 - tail;
}

double studentQuantile(double p, double degrees) {
    if (!(p > 0.0 && p < 1.0) || !(degrees > 0))
        return std::numeric_limits<double>::quiet_NaN();
    if (p < 0.5)
        return -studentQuantile(1.0 - p, degrees);
    // Bracket from the normal quantile outwards; the t tail is heavier, so the root lies above.
    double high = std::max(1.0, 2.0 * normalQuantile(p));
    while (studentCdf(high, degrees) < p && high < 1e12)
        high *= 2.0;
    return increasingRoot([degrees](double x) { return studentCdf(x, degrees); }, p, 0.0, high);
}

double studentizedRangeCdf(double q, int means) {
    if (!(q > 0) || means < 2)
        return 0.0;
    // Simpson's rule over z in [-9, 9]: φ is below 1e-17 outside, and the integrand is smooth.
    constexpr int kIntervals = 720;
    constexpr double kLow = -9.0;
    constexpr double kHigh = 9.0;
    const double h = (kHigh - kLow) / kIntervals;
    double sum = 0;
    for (int i = 0; i <= kIntervals; ++i) {
        const double z = kLow + i * h;
        const double inside = normalCdf(z + q) - normalCdf(z);
        const double f = kInvSqrtTwoPi * std::exp(-0.5 * z * z) * std::pow(inside, means - 1);
        sum += f * (i == 0 || i == kIntervals ? 1.0 : (i % 2 == 1 ? 4.0 : 2.0));
    }
    return std::clamp(means * sum * h / 3.0, 0.0, 1.0);
}

double studentizedRangeQuantile(double p, int means) {
    if (!(p > 0.0 && p < 1.0) || means < 2)
        return std::numeric_limits<double>::quiet_NaN();
    double high = 8.0;
    while (studentizedRangeCdf(high, means) < p && high < 100.0)
        high *= 2.0;
    return increasingRoot([means](double q) { return studentizedRangeCdf(q, means); }, p, 0.0, high);
}

double chiSquareQuantile(double p, double degrees) {
    if (!(p > 0.0 && p < 1.0) || !(degrees > 0))
        return std::numeric_limits<double>::quiet_NaN();
    double high = std::max(1.0, degrees);
    while (1.0 - chiSquareUpperTail(high, degrees) < p && high < 1e12)
        high *= 2.0;
    // The upper tail is decreasing; its complement is the increasing distribution function.
    return increasingRoot([degrees](double x) { return 1.0 - chiSquareUpperTail(x, degrees); }, p, 0.0, high);
}

double noncentralChiSquareUpperTail(double x, double degrees, double noncentrality) {
    if (x <= 0)
        return 1.0;
    if (!(noncentrality > 0))
        return chiSquareUpperTail(x, degrees);
    // Σ_j Poisson(j; λ/2) · Q(k/2 + j, x/2), summed from the Poisson mode outwards so that the
    // weights neither underflow nor are missed for a large λ.
    const double mean = 0.5 * noncentrality;
    const double mode = std::floor(mean);
    const auto weight = [mean](double j) {
        return std::exp(-mean + j * std::log(mean) - std::lgamma(j + 1.0));
    };
    const auto term = [&](double j) { return weight(j) * regularisedGammaUpper(0.5 * degrees + j, 0.5 * x); };
    double sum = term(mode);
    for (double j = mode + 1; weight(j) > 1e-18; ++j)
        sum += term(j);
    for (double j = mode - 1; j >= 0 && weight(j) > 1e-18; --j)
        sum += term(j);
    return std::clamp(sum, 0.0, 1.0);
}

}  // namespace kestrune::statistics
