// Reference values from R 4.2.2 (pchisq, qnorm, binom.test), printed with 15 digits.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/statistics/Distributions.h"

namespace st = kestrune::statistics;

TEST(StatisticsDistributions, ChiSquareTailsMatchKnownValues) {
    EXPECT_NEAR(st::chiSquareUpperTail(3.841458820694124, 1), 0.05, 1e-14);
    EXPECT_NEAR(st::chiSquareUpperTail(18.307038053275146, 10), 0.05, 1e-14);
    EXPECT_NEAR(st::chiSquareUpperTail(8, 18), 0.978636565512016, 1e-13);
    // Fractional degrees, as Kendall's agreement test has them, on both sides of a + 1.
    EXPECT_NEAR(st::chiSquareUpperTail(100, 80.5), 6.95237422203442e-02, 1e-13);
    EXPECT_NEAR(st::chiSquareUpperTail(0.5, 0.3), 1.56049167096862e-01, 1e-13);
    // Two degrees of freedom: exactly exp(-x/2).
    EXPECT_NEAR(st::chiSquareUpperTail(7.3, 2), std::exp(-3.65), 1e-15);
    EXPECT_EQ(st::chiSquareUpperTail(0, 3), 1.0);
}

TEST(StatisticsDistributions, NormalQuantileInvertsTheDistributionIntoTheTails) {
    EXPECT_NEAR(st::normalQuantile(0.975), 1.959963984540054, 1e-14);
    EXPECT_NEAR(st::normalQuantile(0.3), -0.524400512708041, 1e-14);
    EXPECT_NEAR(st::normalQuantile(1e-10), -6.36134090240406, 1e-12);
    EXPECT_NEAR(st::normalQuantile(1 - 1e-12), 7.03448691004784, 1e-4);  // 1 - 1e-12 itself is rounded
    EXPECT_NEAR(st::normalQuantile(0.5), 0.0, 1e-15);
    EXPECT_TRUE(std::isnan(st::normalQuantile(0)));
}

TEST(StatisticsDistributions, ExactBinomialTestAgainstOneHalf) {
    EXPECT_NEAR(st::binomialTwoSidedHalf(30, 100), 7.85013964559369e-05, 1e-16);
    EXPECT_NEAR(st::binomialTwoSidedHalf(900, 2000), 8.45708953550395e-06, 1e-16);
    EXPECT_NEAR(st::binomialTwoSidedHalf(0, 6), 0.03125, 1e-15);
    EXPECT_NEAR(st::binomialTwoSidedHalf(6, 6), 0.03125, 1e-15);
    EXPECT_EQ(st::binomialTwoSidedHalf(5, 10), 1.0);
    // 2·(1 + 10 + 45)/1024 by hand.
    EXPECT_NEAR(st::binomialTwoSidedHalf(2, 10), 112.0 / 1024, 1e-15);
}
