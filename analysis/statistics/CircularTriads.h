#pragma once

#include <cstdint>
#include <vector>

namespace kestrune::statistics {

// Panel counts for which the consistency of one subject is computed.
inline constexpr int kFewestTriadPanels = 3;
inline constexpr int kMostTriadPanels = 10;
// Below this panel count no outcome is rare enough for a test at the usual levels: the
// smallest probability, that of d = 0, is 0.75, 0.375 and 0.117 for three, four and five
// panels, and first falls below 5 % (0.022) with six.
inline constexpr int kFewestTestablePanels = 6;

// How many of the 2^(n(n-1)/2) tournaments on n labelled panels have exactly d circular
// triads, for d = 0..dmax (index d). Counted exactly by the program, n = 3..10.
const std::vector<std::uint64_t>& circularTriadCounts(int panels);

// The largest possible number of circular triads: (n³ - n)/24 for odd n, (n³ - 4n)/24 for even n.
int maximumCircularTriads(int panels);

// The smallest probability a subject can reach, that of a subject without circular triads:
// n! / 2^(n(n-1)/2).
double smallestTriadProbability(int panels);

// One subject's consistency on one image, from the subject's win counts of a complete pair set.
struct Consistency {
    int circularTriads = 0;  // d = n(n-1)(2n-1)/12 - ½ Σ aᵢ²
    int maximum = 0;         // dmax
    double zeta = 0;         // 1 - d/dmax
    double probability = 0;  // P(D ≤ d) when every pair is decided by a fair coin
    bool testable = false;   // n ≥ 6
};
Consistency consistencyOfWins(const std::vector<int>& wins);

}  // namespace kestrune::statistics
