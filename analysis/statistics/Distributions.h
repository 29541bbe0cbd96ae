#pragma once

#include <cstdint>

namespace kestrune::statistics {

// The standard normal distribution: Φ(x), 1 - Φ(x) without cancellation, and Φ⁻¹(p) for
// 0 < p < 1 (accurate to a few units in the last place).
double normalCdf(double x);
double normalUpperTail(double x);
double normalQuantile(double p);

// The regularised upper incomplete gamma function Q(a, x) = Γ(a, x) / Γ(a), a > 0, x ≥ 0.
double regularisedGammaUpper(double a, double x);

// P(X ≥ x) for X chi-square with `degrees` (> 0, not necessarily whole) degrees of freedom.
double chiSquareUpperTail(double x, double degrees);

// The exact two-sided binomial test of k successes in n trials against one half:
// 2·min(P(X ≤ k), P(X ≥ k)), at most 1. For one half this is also the sum of the
// probabilities of all outcomes no more likely than k.
double binomialTwoSidedHalf(std::int64_t k, std::int64_t n);

}  // namespace kestrune::statistics
