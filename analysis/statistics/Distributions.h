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

// The regularised incomplete beta function I_x(a, b), a, b > 0, 0 ≤ x ≤ 1.
double regularisedBeta(double a, double b, double x);

// Student's t with `degrees` (> 0) degrees of freedom: P(T ≤ x) and its quantile for 0 < p < 1.
double studentCdf(double x, double degrees);
double studentQuantile(double p, double degrees);

// The range of `means` (≥ 2) independent standard normal variables, the studentized range
// with infinite degrees of freedom: P(R ≤ q) = t ∫ φ(z) [Φ(z+q) − Φ(z)]^(t−1) dz, and its
// quantile for 0 < p < 1.
double studentizedRangeCdf(double q, int means);
double studentizedRangeQuantile(double p, int means);

// The chi-square quantile: x with P(X ≤ x) = p, 0 < p < 1.
double chiSquareQuantile(double p, double degrees);

// P(X ≥ x) for X non-central chi-square with `degrees` degrees of freedom and non-centrality
// `noncentrality` ≥ 0, as the Poisson mixture of central ones.
double noncentralChiSquareUpperTail(double x, double degrees, double noncentrality);

}  // namespace kestrune::statistics
