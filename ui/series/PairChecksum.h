#pragma once

#include <string>
#include <vector>

#include "core/Series.h"

namespace kestrune {

// The sum of both panel numbers over all pairs; every cell must be a decimal integer
// (otherwise UserError "'%s' は整数ではありません").
long long pairChecksum(const std::vector<PairTexts>& rows);
// What the sum is for a complete set of pairs of n panels: (n-1)·n(n+1)/2.
long long expectedPairChecksum(int panelCount);

// The wizard's test of a presentation order: the checksum, and besides it the pairs must be
// exactly the n(n-1)/2 distinct pairs of panels 1..n (a balanced sum alone lets a repeated
// pair or a panel paired with itself through). Throws UserError for a cell that is no integer.
bool isAcceptableOrder(int panelCount, const std::vector<PairTexts>& rows);

}  // namespace kestrune
