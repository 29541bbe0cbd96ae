#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "analysis/statistics/CircularTriads.h"

namespace st = kestrune::statistics;

namespace {

// Every tournament on n panels, one bit per pair, counted by its circular triads directly.
std::vector<std::uint64_t> bruteForceCounts(int n) {
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            pairs.push_back({i, j});
    std::vector<std::uint64_t> counts(st::maximumCircularTriads(n) + 1, 0);
    for (std::uint64_t bits = 0; bits < (1ULL << pairs.size()); ++bits) {
        std::vector<int> wins(n, 0);
        for (std::size_t p = 0; p < pairs.size(); ++p)
            ++wins[(bits >> p) & 1 ? pairs[p].second : pairs[p].first];
        ++counts.at(st::consistencyOfWins(wins).circularTriads);
    }
    return counts;
}

}  // namespace

TEST(CircularTriads, KnownDistributionsOfSmallTournaments) {
    EXPECT_EQ(st::circularTriadCounts(3), (std::vector<std::uint64_t>{6, 2}));
    EXPECT_EQ(st::circularTriadCounts(4), (std::vector<std::uint64_t>{24, 16, 24}));
    // Kendall and Babington Smith's table for five objects.
    EXPECT_EQ(st::circularTriadCounts(5), (std::vector<std::uint64_t>{120, 120, 240, 240, 280, 24}));
}

TEST(CircularTriads, CountsAgreeWithEnumeratingEveryTournament) {
    for (int n : {3, 4, 5, 6, 7})
        EXPECT_EQ(st::circularTriadCounts(n), bruteForceCounts(n)) << n << " panels";
}

TEST(CircularTriads, EveryTournamentIsCountedOnceAndTheMaximumIsReached) {
    for (int n = 3; n <= 10; ++n) {
        const std::vector<std::uint64_t>& counts = st::circularTriadCounts(n);
        std::uint64_t total = 0;
        for (std::uint64_t c : counts)
            total += c;
        EXPECT_EQ(total, 1ULL << (n * (n - 1) / 2)) << n;
        EXPECT_EQ(counts.size(), static_cast<std::size_t>(st::maximumCircularTriads(n)) + 1) << n;
        EXPECT_GT(counts.back(), 0u) << n;
        std::uint64_t transitive = 1;  // n! orderings without circular triads
        for (int k = 2; k <= n; ++k)
            transitive *= k;
        EXPECT_EQ(counts.front(), transitive) << n;
    }
    EXPECT_EQ(st::maximumCircularTriads(9), 30);
    EXPECT_EQ(st::maximumCircularTriads(10), 40);
}

TEST(CircularTriads, WorkedExamplesOfThreeAndFourPanels) {
    // Three panels, one cycle 1 > 2 > 3 > 1: every panel wins once.
    const st::Consistency cycle = st::consistencyOfWins({1, 1, 1});
    EXPECT_EQ(cycle.circularTriads, 1);
    EXPECT_EQ(cycle.maximum, 1);
    EXPECT_EQ(cycle.zeta, 0.0);
    EXPECT_EQ(cycle.probability, 1.0);
    EXPECT_FALSE(cycle.testable);
    // Four panels in a strict order: d = 0, ζ = 1, P(D ≤ 0) = 24/64.
    const st::Consistency ordered = st::consistencyOfWins({3, 1, 2, 0});
    EXPECT_EQ(ordered.circularTriads, 0);
    EXPECT_EQ(ordered.maximum, 2);
    EXPECT_EQ(ordered.zeta, 1.0);
    EXPECT_DOUBLE_EQ(ordered.probability, 0.375);
    // Wins 2, 2, 1, 1: d = 4·3·7/12 - (4 + 4 + 1 + 1)/2 = 7 - 5 = 2, the maximum.
    const st::Consistency worst = st::consistencyOfWins({2, 2, 1, 1});
    EXPECT_EQ(worst.circularTriads, 2);
    EXPECT_EQ(worst.zeta, 0.0);
    EXPECT_EQ(worst.probability, 1.0);
}

TEST(CircularTriads, SixPanelsAreTheFirstThatCanBeSignificantAtFivePercent) {
    EXPECT_DOUBLE_EQ(st::smallestTriadProbability(5), 120.0 / 1024);
    EXPECT_DOUBLE_EQ(st::smallestTriadProbability(6), 720.0 / 32768);
    EXPECT_TRUE(st::consistencyOfWins({5, 4, 3, 2, 1, 0}).testable);
    EXPECT_FALSE(st::consistencyOfWins({4, 3, 2, 1, 0}).testable);
}
