// The balanced presentation order, checked for every panel count against the properties a
// researcher relies on rather than against a stored table.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>

#include "analysis/BalancedOrder.h"

using namespace kestrune;

namespace {

bool sharePanel(const TPanelPair& x, const TPanelPair& y) {
    return x.a == y.a || x.a == y.b || x.b == y.a || x.b == y.b;
}

// For every panel, the places (0-based) at which it is shown.
std::map<int, std::vector<int>> showings(const std::vector<TPanelPair>& order) {
    std::map<int, std::vector<int>> places;
    for (int place = 0; place < static_cast<int>(order.size()); ++place) {
        places[order[place].a].push_back(place);
        places[order[place].b].push_back(place);
    }
    return places;
}

std::vector<int> gaps(const std::vector<TPanelPair>& order) {
    std::vector<int> result;
    for (const auto& [panel, places] : showings(order)) {
        for (std::size_t i = 1; i < places.size(); ++i)
            result.push_back(places[i] - places[i - 1]);
    }
    return result;
}

class BalancedOrderFor : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(BalancedOrderFor, HoldsEveryPairOnceWithTwoDistinctPanels) {
    const int n = GetParam();
    const std::vector<TPanelPair> order = balancedOrder(n);
    ASSERT_EQ(order.size(), static_cast<std::size_t>(n * (n - 1) / 2));
    std::set<std::pair<int, int>> seen;
    for (const TPanelPair& pair : order) {
        ASSERT_GE(std::min(pair.a, pair.b), 1);
        ASSERT_LE(std::max(pair.a, pair.b), n);
        ASSERT_NE(pair.a, pair.b);
        EXPECT_TRUE(seen.insert({std::min(pair.a, pair.b), std::max(pair.a, pair.b)}).second)
            << pair.a << "," << pair.b << " twice";
    }
    EXPECT_TRUE(isCompletePairSet(n, order));
}

TEST_P(BalancedOrderFor, ShowsNoPanelInConsecutivePairsWhereverThatCanBeAvoided) {
    const int n = GetParam();
    const std::vector<TPanelPair> order = balancedOrder(n);
    int consecutive = 0;
    for (std::size_t i = 1; i < order.size(); ++i)
        consecutive += sharePanel(order[i - 1], order[i]) ? 1 : 0;
    // Three panels: any two pairs share one. Four panels: the pairs without a shared panel
    // come only in the three matchings {12,34} {13,24} {14,23}, so six places keep at least
    // two neighbours sharing. From five panels on it is always avoidable.
    EXPECT_EQ(consecutive, n <= 4 ? 2 : 0);
}

TEST_P(BalancedOrderFor, SpreadsPairsThatShareAPanelAsFarApartAsAnyOrderCan) {
    const int n = GetParam();
    const std::vector<int> all = gaps(balancedOrder(n));
    // g pairs in a row without a shared panel hold 2g panels: g <= n/2. For even n a run of
    // n/2 is a matching, and the next run would repeat its first pair, so g <= n/2 - 1.
    const int bestPossible = n % 2 == 1 ? (n - 1) / 2 : std::max(1, n / 2 - 1);
    EXPECT_EQ(*std::min_element(all.begin(), all.end()), bestPossible);
    // And no panel waits long: for odd n every distance is the best one or one more (the mean
    // is n/2), for even n at most two more.
    EXPECT_LE(*std::max_element(all.begin(), all.end()), bestPossible + (n % 2 == 1 ? 1 : 2));
    // Every panel also appears early: before any panel's second showing is overdue.
    for (const auto& [panel, places] : showings(balancedOrder(n)))
        EXPECT_LE(places.front(), bestPossible + 2) << "panel " << panel;
}

TEST_P(BalancedOrderFor, ShowsEveryPanelFirstAndSecondEquallyOften) {
    const int n = GetParam();
    std::map<int, int> timesA;
    std::map<int, int> timesB;
    for (const TPanelPair& pair : balancedOrder(n)) {
        ++timesA[pair.a];
        ++timesB[pair.b];
    }
    for (int panel = 1; panel <= n; ++panel) {
        if (n % 2 == 1) {
            EXPECT_EQ(timesA[panel], timesB[panel]) << "panel " << panel;
        } else {
            EXPECT_LE(std::abs(timesA[panel] - timesB[panel]), 1) << "panel " << panel;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ThreeToTenPanels, BalancedOrderFor, ::testing::Range(3, 11));

TEST(BalancedOrder, RefusesPanelCountsTheWizardDoesNotOffer) {
    EXPECT_THROW(balancedOrder(2), std::invalid_argument);
    EXPECT_THROW(balancedOrder(11), std::invalid_argument);
}
