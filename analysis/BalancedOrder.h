#pragma once

#include <vector>

#include "core/Series.h"

namespace kestrune {

inline constexpr int kMinBalancedPanels = 3;

// A presentation order of all n(n-1)/2 pairs of panels 1..n (3 <= n <= kMaxPanels; outside
// that range std::invalid_argument) that keeps the order itself from biasing the answers:
// - every pair appears once;
// - two pairs that share a panel stand at least minimumPanelGap(n) places apart, the largest
//   distance any order allows, so for n >= 5 no panel is shown in two consecutive pairs;
// - no panel waits more than maximumPanelGap(n) places for its next showing, so the
//   showings of a panel are spread evenly over the whole order;
// - every panel is A exactly as often as B for odd n, and within one of it for even n.
// The same n always gives the same order.
std::vector<TPanelPair> balancedOrder(int panels);

// The distance kept between pairs that share a panel. A run of g pairs without a shared panel
// holds 2g distinct panels, so g <= n/2; for even n a run of n/2 such pairs is a perfect
// matching, and two overlapping runs would force a pair to repeat, so g <= n/2 - 1 there.
int minimumPanelGap(int panels);
// The longest wait between two showings of a panel: one more than the smallest for odd n
// (their mean distance is n/2), two more for even n.
int maximumPanelGap(int panels);

}  // namespace kestrune
