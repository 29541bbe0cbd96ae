#include <gtest/gtest.h>

#include "analysis/statistics/Agreement.h"
#include "tests/analysis/statistics/StatisticsInput.h"

namespace st = kestrune::statistics;
using namespace kestrune::testing;

TEST(Agreement, ThreeSubjectsWorkedByHand) {
    // Subjects 1 and 2 prefer 1 > 2 > 3, subject 3 the reverse: every aᵢⱼ is 2 or 1, so
    // Σ = 3·C(2,2) = 3, u = 2·3/(3·3) - 1 = -1/3 (the least agreement three subjects can show),
    // χ² = 4(3 - 1)/1 - 3·3·2·0/1 = 8 on 3·3·2/1 = 18 degrees (p from R's pchisq).
    const kestrune::AnalysisInput input = memoryInput(3, allPairs(3), 3, 1, {0, 0, 0, 0, 0, 0, 1, 1, 1});
    const st::Agreement a = st::agreementOf(st::PairedData(input), 1);
    EXPECT_EQ(a.sigma, 3);
    EXPECT_DOUBLE_EQ(*a.u, -1.0 / 3);
    EXPECT_DOUBLE_EQ(*a.chiSquare, 8.0);
    EXPECT_DOUBLE_EQ(*a.degrees, 18.0);
    EXPECT_NEAR(*a.probability, 0.978636565512016, 1e-12);
}

TEST(Agreement, IdenticalSubjectsAgreeCompletely) {
    const st::PairedData data(repeatedSubjects(4, allPairs(4), 5, {0, 1, 0, 1, 0, 1}));
    const st::Agreement a = st::agreementOf(data, 1);
    EXPECT_DOUBLE_EQ(*a.u, 1.0);
    EXPECT_LT(*a.probability, 1e-5);
}

TEST(Agreement, NeedsTwoSubjectsForUAndThreeForTheTest) {
    const st::Agreement one =
        st::agreementOf(st::PairedData(repeatedSubjects(3, allPairs(3), 1, {0, 0, 0})), 1);
    EXPECT_FALSE(one.u);
    EXPECT_FALSE(one.chiSquare);
    const st::Agreement two =
        st::agreementOf(st::PairedData(repeatedSubjects(3, allPairs(3), 2, {0, 0, 0})), 1);
    EXPECT_DOUBLE_EQ(*two.u, 1.0);
    EXPECT_FALSE(two.chiSquare);
    EXPECT_FALSE(two.probability);
}
