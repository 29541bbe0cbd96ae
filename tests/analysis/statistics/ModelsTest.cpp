// Bradley–Terry, Thurstone, agreement and order effect on the sample study disk, against
// values computed by R 4.2.2 with BradleyTerry2 1.1-2 (BTm, refcat "1"), glm (binomial, the
// order effect as an intercept), qnorm/pnorm for Thurstone and Mosteller, and Kendall and
// Babington Smith's formulas for u, on the first image "明るい" of mix/色彩の印象/大学生2026.
// R's standard errors come from glm's last iteration at its default tolerance, hence 1e-5.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/statistics/FileStatistics.h"
#include "core/Error.h"
#include "tests/analysis/statistics/StatisticsInput.h"

namespace st = kestrune::statistics;
using namespace kestrune::testing;

namespace {

const st::FileStatistics& studentStatistics() {
    static const st::FileStatistics stats =
        st::fileStatistics(kestrune::StudyDisk(std::string(KESTRUNE_EXAMPLES) + "/study-disk"),
                           kestrune::TSexGroup::Mix, "色彩の印象", "大学生2026");
    return stats;
}

}  // namespace

TEST(StatisticsModels, BradleyTerryOfTheSampleStudentsAgreesWithR) {
    const st::BradleyTerry& bt = studentStatistics().images.at(0).bradleyTerry;
    ASSERT_TRUE(bt.finite);
    const double logWorth[] = {0, 0.402111, 1.741964, 2.884082, 3.785903};
    const double standardError[] = {0, 0.343017, 0.377724, 0.429628, 0.480667};
    for (int k = 0; k < 5; ++k) {
        EXPECT_NEAR(bt.panels[k].logWorth, logWorth[k], 1e-6) << k + 1;
        EXPECT_NEAR(bt.panels[k].standardError, standardError[k], 1e-5) << k + 1;
        EXPECT_NEAR(bt.panels[k].upper - bt.panels[k].logWorth, 1.959964 * standardError[k], 1e-4);
    }
    EXPECT_NEAR(bt.deviance, 8.836762648, 1e-6);
    EXPECT_EQ(bt.degrees, 6);
    double total = 0;
    for (const st::BradleyTerryPanel& p : bt.panels)
        total += p.worth;
    EXPECT_NEAR(total, 1.0, 1e-12);
    EXPECT_NEAR(bt.panels[4].worth / bt.panels[0].worth, std::exp(3.785903), 1e-3);
}

TEST(StatisticsModels, ThurstoneMostellerAgreementAndOrderEffectAgreeWithR) {
    const st::ImageStatistics& image = studentStatistics().images.at(0);
    const double scale[] = {0, 0.2437274482, 1.0105835691, 1.6945492208, 2.1040576073};
    for (int k = 0; k < 5; ++k)
        EXPECT_NEAR(image.thurstone.scale[k], scale[k], 1e-9) << k + 1;
    EXPECT_NEAR(image.thurstone.chiSquare, 11.44448837, 1e-7);
    EXPECT_EQ(image.thurstone.degrees, 6);
    EXPECT_NEAR(*image.agreement.u, 0.5086956522, 1e-9);
    EXPECT_NEAR(*image.agreement.chiSquare, 138.8595041, 1e-6);
    EXPECT_NEAR(*image.agreement.degrees, 11.40495868, 1e-7);
    EXPECT_NEAR(*image.agreement.probability, 4.726915565e-24, 1e-32);
    ASSERT_TRUE(image.orderBias.effect);
    EXPECT_NEAR(image.orderBias.effect->estimate, 0.1750964132, 1e-7);
    EXPECT_NEAR(image.orderBias.effect->standardError, 0.2509677592, 1e-5);
    EXPECT_NEAR(image.orderBias.effect->chiSquare, 0.5214930874, 1e-7);
    EXPECT_EQ(image.orderBias.choseA, 108);
    EXPECT_EQ(image.orderBias.answers, 240);
}

TEST(StatisticsModels, APanelThatWinsEverythingHasNoFiniteEstimate) {
    // Panel 1 beats 2 and 3 for every subject; 2 and 3 split.
    const st::PairedData data(memoryInput(3, allPairs(3), 4, 1, {0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1}));
    EXPECT_FALSE(st::hasFiniteBradleyTerry(data, 1));
    const st::BradleyTerry bt = st::bradleyTerryOf(data, 1);
    EXPECT_FALSE(bt.finite);
    EXPECT_TRUE(bt.panels.empty());
    EXPECT_FALSE(st::orderBiasOf(data, 1).effect);
    // Thurstone replaces the proportions 1 and 0 and stays finite.
    const st::Thurstone t = st::thurstoneOf(data, 1);
    EXPECT_EQ(t.replacedProportions, 2);
    for (double s : t.scale)
        EXPECT_TRUE(std::isfinite(s));
    EXPECT_TRUE(std::isfinite(t.chiSquare));
}

TEST(StatisticsModels, AllAnswersAGiveTheBinomialTestButNoFiniteOrderEffect) {
    // Pairs presented in a cycle (1,2), (2,3), (3,1): every "A" answer makes a cycle, so the
    // worths are finite and equal, but the order effect grows without bound.
    const std::vector<kestrune::TPanelPair> cycle{{1, 2}, {2, 3}, {3, 1}};
    const st::PairedData data(repeatedSubjects(3, cycle, 6, {0, 0, 0}));
    const st::BradleyTerry bt = st::bradleyTerryOf(data, 1);
    ASSERT_TRUE(bt.finite);
    for (const st::BradleyTerryPanel& p : bt.panels)
        EXPECT_NEAR(p.logWorth, 0.0, 1e-9);
    const st::OrderBias bias = st::orderBiasOf(data, 1);
    EXPECT_EQ(bias.choseA, 18);
    EXPECT_DOUBLE_EQ(bias.share, 1.0);
    EXPECT_NEAR(bias.binomialProbability, 2.0 * std::pow(0.5, 18), 1e-18);
    EXPECT_FALSE(bias.effect);
}

TEST(StatisticsModels, OneSubjectGivesStatementsNotNumbersItCannotHave) {
    const st::PairedData data(memoryInput(3, allPairs(3), 1, 1, {0, 0, 0}));
    EXPECT_FALSE(st::agreementOf(data, 1).u);
    EXPECT_FALSE(st::bradleyTerryOf(data, 1).finite);
    EXPECT_TRUE(std::isfinite(st::thurstoneOf(data, 1).chiSquare));
}

TEST(StatisticsModels, IncompletePairListsAreRefused) {
    const kestrune::AnalysisInput input = memoryInput(4, allPairs(3), 1, 1, {0, 0, 0});
    EXPECT_THROW(st::checkStatisticsInput(input), kestrune::UserError);
}
