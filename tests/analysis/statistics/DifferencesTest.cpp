// The tests of difference, the range test and its letters, the score intervals, the win
// probabilities, the plan and the group comparison on small files worked out by hand, on
// degenerate files, and on a design that shows every pair in both orders (r = 2).
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/WinCounts.h"
#include "analysis/statistics/DifferenceTables.h"
#include "analysis/statistics/Distributions.h"
#include "analysis/statistics/FileDifferences.h"
#include "analysis/statistics/StatisticsMessages.h"
#include "core/Error.h"
#include "tests/analysis/statistics/StatisticsInput.h"

namespace st = kestrune::statistics;
using namespace kestrune::testing;
using kestrune::AnalysisInput;
using kestrune::TPanelPair;

namespace {

// Every cell of every table of the file, none of them "nan" or "inf".
void expectNoBrokenNumbers(const st::FileDifferences& stats) {
    for (const kestrune::TextGrid& grid :
         {st::differenceBatchTable(stats), st::pairDifferenceBatchTable(stats), st::letterBatchTable(stats),
          st::scoreIntervalBatchTable(stats), st::winProbabilityBatchTable(stats),
          st::samplePlanBatchTable(stats), st::differenceGrid(stats, st::DifferenceTable::Differences, 1),
          st::differenceGrid(stats, st::DifferenceTable::SamplePlan, 0)}) {
        for (int r = 0; r < grid.rowCount(); ++r)
            for (int c = 0; c < grid.columnCount(); ++c) {
                const std::string cell = grid.cell(c, r);
                EXPECT_EQ(cell.find("nan"), std::string::npos) << r << "," << c;
                EXPECT_EQ(cell.find("inf"), std::string::npos) << r << "," << c;
                EXPECT_EQ(cell.find("#NUM"), std::string::npos) << r << "," << c;
            }
    }
}

// Answers of 4 panels for 3 subjects on one image: subject 1 and 2 rank 1 > 2 > 3 > 4, subject 3
// ranks 4 > 3 > 2 > 1. Pairs (1,2) (1,3) (1,4) (2,3) (2,4) (3,4); answer 0 chooses the first panel.
AnalysisInput threeSubjects() {
    return memoryInput(4, allPairs(4), 3, 1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1});
}

}  // namespace

TEST(StatisticsDifferences, DavidsTestAndTheRangeTestWorkedOutByHand) {
    const st::PairedData data(threeSubjects());
    // Wins: panel 1: 3+3+0 = 6, panel 2: 2+2+1 = 5, panel 3: 1+1+2 = 4, panel 4: 0+0+3 = 3.
    EXPECT_EQ(st::panelWins(data, 1), (std::vector<int>{6, 5, 4, 3}));
    EXPECT_EQ(st::presentationsPerPair(data, 1), 1);
    const st::DifferenceTest test = st::differenceTestOf(data, 1, st::bradleyTerryOf(data, 1));
    // m = 3, t = 4, expected 4.5: D = 4/12 · (2.25 + 0.25 + 0.25 + 2.25) = 5/3.
    ASSERT_TRUE(test.david);
    EXPECT_NEAR(*test.david, 5.0 / 3.0, 1e-12);
    EXPECT_EQ(test.degrees, 3);
    EXPECT_NEAR(*test.davidProbability, st::chiSquareUpperTail(5.0 / 3.0, 3), 1e-15);
    ASSERT_TRUE(test.likelihoodRatio);
    EXPECT_GT(*test.likelihoodRatio, 0);

    const double q = st::studentizedRangeQuantile(0.95, 4);
    const st::RangeTest range = st::rangeTestOf(data, 1, q);
    ASSERT_TRUE(range.applies());
    EXPECT_NEAR(range.critical, q * std::sqrt(12.0) / 2.0, 1e-12);  // 3.633·√12/2 ≈ 6.29
    EXPECT_EQ(range.ranking, (std::vector<int>{1, 2, 3, 4}));
    ASSERT_EQ(range.pairs.size(), 6u);
    for (const st::PanelComparison& p : range.pairs)
        EXPECT_FALSE(p.different) << p.i << "-" << p.j;
    EXPECT_EQ(range.letters, (std::vector<std::string>{"a", "a", "a", "a"}));
}

TEST(StatisticsDifferences, LettersJoinExactlyThePanelsThatDoNotDiffer) {
    // Ranked 9, 7, 4, 3, 0 with critical 3: 9-7 same, 7-4 differ (3 ≥ 3), 4-3 same, 3-0 differ.
    EXPECT_EQ(st::compactLetters({4, 9, 0, 7, 3}, 3.0), (std::vector<std::string>{"b", "a", "c", "a", "b"}));
    // Overlapping runs: 10, 8, 6, 4 with critical 5 → {10, 8, 6} a, {8, 6, 4} b.
    EXPECT_EQ(st::compactLetters({10, 8, 6, 4}, 5.0), (std::vector<std::string>{"a", "ab", "ab", "b"}));
    // All equal, and all far apart.
    EXPECT_EQ(st::compactLetters({2, 2, 2}, 1.0), (std::vector<std::string>{"a", "a", "a"}));
    EXPECT_EQ(st::compactLetters({0, 10, 20}, 1.0), (std::vector<std::string>{"c", "b", "a"}));
    // Whatever the values: two panels share a letter exactly when they differ by less than critical.
    const std::vector<int> wins{31, 12, 25, 19, 40, 8, 22, 35, 14, 27};
    const std::vector<std::string> letters = st::compactLetters(wins, 9.5);
    for (std::size_t i = 0; i < wins.size(); ++i)
        for (std::size_t j = 0; j < wins.size(); ++j) {
            bool share = false;
            for (char c : letters[i])
                share = share || letters[j].find(c) != std::string::npos;
            EXPECT_EQ(share, std::abs(wins[i] - wins[j]) < 9.5) << i << " " << j;
        }
}

TEST(StatisticsDifferences, ScoreIntervalsUseTheScoresAndDeviationsOfTheScaleValueTable) {
    const AnalysisInput input = threeSubjects();
    const kestrune::ScaleValues values = kestrune::computeScaleValues(kestrune::countWins(input), 4);
    const std::vector<st::ScoreInterval> intervals = st::scoreIntervalsOf(values, 1, 0.95);
    ASSERT_EQ(intervals.size(), 4u);
    // Panel 1: 100, 100, 0 → T = 66.667, SD = 57.735; t(0.975; 2) = 4.302653.
    EXPECT_NEAR(intervals[0].score, 200.0 / 3.0, 1e-12);
    ASSERT_TRUE(intervals[0].deviation && intervals[0].lower);
    EXPECT_NEAR(*intervals[0].deviation, 100.0 / std::sqrt(3.0), 1e-9);
    EXPECT_NEAR(*intervals[0].lower, 200.0 / 3.0 - 4.302652729749464 * 100.0 / 3.0, 1e-8);
    EXPECT_NEAR(*intervals[0].upper, 200.0 / 3.0 + 4.302652729749464 * 100.0 / 3.0, 1e-8);
    const std::vector<st::ScoreInterval> wider = st::scoreIntervalsOf(values, 1, 0.99);
    EXPECT_LT(*wider[0].lower, *intervals[0].lower);
}

TEST(StatisticsDifferences, DegenerateFilesGiveStatementsNeverBrokenNumbers) {
    // One subject: no interval; every answer alike (panel 1 always first, so panel 4 never
    // chosen): no finite Bradley–Terry fit, hence no win probabilities and no plan, but David's
    // test, the likelihood ratio's supremum and the range test still exist.
    const AnalysisInput one = memoryInput(4, allPairs(4), 1, 1, {0, 0, 0, 0, 0, 0});
    const st::FileDifferences single = st::computeFileDifferences(one, {"明るい"}, {});
    const st::ImageDifferences& image = single.images.front();
    EXPECT_FALSE(image.intervals.front().lower);
    EXPECT_EQ(image.intervals.front().reason, st::messages::kOneSubject);
    ASSERT_TRUE(image.test.david);
    EXPECT_NEAR(*image.test.david, 4.0 / 4.0 * (2.25 + 0.25 + 0.25 + 2.25), 1e-12);
    // Supremum 0 (every answer certain) against equal worths: 2·6·log 2.
    ASSERT_TRUE(image.test.likelihoodRatio);
    EXPECT_NEAR(*image.test.likelihoodRatio, 12.0 * std::log(2.0), 1e-9);
    EXPECT_EQ(image.winning.reason, st::messages::kNoFiniteFit);
    EXPECT_FALSE(image.plan.subjects);
    EXPECT_EQ(image.plan.reason, st::messages::kNoFiniteFit);
    EXPECT_EQ(st::samplePlanBatchTable(single).cell(2, 1), "NA");
    expectNoBrokenNumbers(single);

    // Many subjects answering alike: the same statements, the intervals of width 0.
    const AnalysisInput alike = repeatedSubjects(4, allPairs(4), 12, {0, 0, 0, 0, 0, 0});
    const st::FileDifferences same = st::computeFileDifferences(alike, {"明るい"}, {});
    ASSERT_TRUE(same.images.front().intervals.front().lower);
    EXPECT_EQ(*same.images.front().intervals.front().lower, same.images.front().intervals.front().score);
    expectNoBrokenNumbers(same);

    // Every subject choosing A and B in turn so that all panels tie: no difference to plan for.
    const AnalysisInput tied = repeatedSubjects(3, allPairs(3), 6, {0, 1, 0});
    const st::FileDifferences level = st::computeFileDifferences(tied, {"明るい"}, {});
    EXPECT_NEAR(*level.images.front().test.david, 0.0, 1e-12);
    EXPECT_NEAR(*level.images.front().plan.lambda1, 0.0, 1e-12);
    EXPECT_EQ(level.images.front().plan.reason, st::messages::kNoDifferenceInPilot);
    expectNoBrokenNumbers(level);
}

TEST(StatisticsDifferences, UnequalPresentationsGiveReasonsAndKeepTheLikelihoodRatio) {
    // Pair (1,2) shown twice, the others once.
    std::vector<TPanelPair> pairs = allPairs(3);
    pairs.push_back({2, 1});
    const AnalysisInput input = repeatedSubjects(3, pairs, 5, {0, 1, 0, 0});
    const st::PairedData data(input);
    EXPECT_EQ(st::presentationsPerPair(data, 1), 0);
    const st::FileDifferences stats = st::computeFileDifferences(input, {"明るい"}, {});
    const st::ImageDifferences& image = stats.images.front();
    EXPECT_FALSE(image.test.david);
    EXPECT_EQ(image.test.davidReason, st::messages::kUnequalPairs);
    EXPECT_TRUE(image.test.likelihoodRatio);
    EXPECT_FALSE(image.range.applies());
    EXPECT_EQ(image.plan.reason, st::messages::kUnequalPairs);
    EXPECT_EQ(st::pairDifferenceBatchTable(stats).cell(7, 1), "NA");
    expectNoBrokenNumbers(stats);
}

TEST(StatisticsDifferences, BothOrdersOfEveryPairCountTwice) {
    // r = 2: every pair in both orders. A subject answering the same way in both orders gives
    // the wins of r = 1 doubled, and m = 2n.
    const std::vector<TPanelPair> once = allPairs(5);
    std::vector<TPanelPair> twice = once;
    for (const TPanelPair& p : once)
        twice.push_back({p.b, p.a});
    ASSERT_EQ(twice.size(), 20u);
    const std::vector<std::int32_t> oneWay{0, 1, 0, 0, 1, 0, 0, 0, 1, 0};
    std::vector<std::int32_t> bothWays = oneWay;
    for (std::int32_t a : oneWay)
        bothWays.push_back(1 - a);  // the same panel chosen from the other side
    std::vector<std::int32_t> answers1;
    std::vector<std::int32_t> answers2;
    for (int s = 0; s < 8; ++s) {
        // Half the subjects reverse their preferences so that the fit is finite.
        for (std::int32_t a : oneWay)
            answers1.push_back(s % 3 == 0 ? 1 - a : a);
        for (std::int32_t a : bothWays)
            answers2.push_back(s % 3 == 0 ? 1 - a : a);
    }
    const st::PairedData single(memoryInput(5, once, 8, 1, answers1));
    const st::PairedData doubled(memoryInput(5, twice, 8, 1, answers2));
    EXPECT_EQ(st::presentationsPerPair(doubled, 1), 2);
    std::vector<int> expected = st::panelWins(single, 1);
    for (int& w : expected)
        w *= 2;
    EXPECT_EQ(st::panelWins(doubled, 1), expected);
    const st::BradleyTerry fit1 = st::bradleyTerryOf(single, 1);
    const st::BradleyTerry fit2 = st::bradleyTerryOf(doubled, 1);
    ASSERT_TRUE(fit1.finite && fit2.finite);
    const st::DifferenceTest t1 = st::differenceTestOf(single, 1, fit1);
    const st::DifferenceTest t2 = st::differenceTestOf(doubled, 1, fit2);
    // Doubling the data doubles both statistics; the worths stay.
    EXPECT_NEAR(*t2.david, 2 * *t1.david, 1e-9);
    EXPECT_NEAR(*t2.likelihoodRatio, 2 * *t1.likelihoodRatio, 1e-8);
    const double q = st::studentizedRangeQuantile(0.95, 5);
    EXPECT_NEAR(st::rangeTestOf(doubled, 1, q).critical, q * std::sqrt(16.0 * 5) / 2, 1e-12);
    // Each subject of r = 2 brings twice the non-centrality of r = 1.
    const st::WinProbabilities w1 = st::winProbabilitiesOf(fit1, 5);
    const st::WinProbabilities w2 = st::winProbabilitiesOf(fit2, 5);
    EXPECT_NEAR(w1.at(2, 4), w2.at(2, 4), 1e-8);
    const double delta = st::neededNoncentrality(4, 0.05, 0.8);
    const st::SamplePlan p1 = st::samplePlanOf(single, 1, w1, 0.05, 0.8, delta);
    const st::SamplePlan p2 = st::samplePlanOf(doubled, 1, w2, 0.05, 0.8, delta);
    EXPECT_NEAR(*p2.lambda1, 2 * *p1.lambda1, 1e-8);
    EXPECT_GE(*p2.power, 0.8);
    EXPECT_LT(st::davidPower(4, 0.05, static_cast<double>(*p2.subjects - 1) * *p2.lambda1), 0.8);
}

TEST(StatisticsDifferences, GroupComparisonIsZeroForTwinFilesAndRefusesOtherSeries) {
    const AnalysisInput a = threeSubjects();
    const st::FileGroupComparison same = st::compareFiles(a, a, {"明るい"});
    ASSERT_TRUE(same.images.front().comparison.likelihoodRatio);
    EXPECT_NEAR(*same.images.front().comparison.likelihoodRatio, 0.0, 1e-8);
    EXPECT_EQ(same.images.front().comparison.degrees, 3);
    // Opposite groups: the first prefers 1 > 2 > 3 > 4 two to one, the second the reverse.
    const AnalysisInput b =
        memoryInput(4, allPairs(4), 3, 1, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0});
    const st::FileGroupComparison opposite = st::compareFiles(a, b, {"明るい"});
    EXPECT_GT(*opposite.images.front().comparison.likelihoodRatio, 3.0);
    const AnalysisInput other = repeatedSubjects(3, allPairs(3), 4, {0, 1, 0});
    EXPECT_THROW(st::compareFiles(a, other, {"明るい"}), kestrune::UserError);
}
