#include "ui/series/PairChecksum.h"

#include "core/Numbers.h"

namespace kestrune {

long long pairChecksum(const std::vector<PairTexts>& rows) {
    long long sum = 0;
    for (const PairTexts& row : rows)
        sum += static_cast<long long>(parseInteger(row.a)) + parseInteger(row.b);
    return sum;
}

long long expectedPairChecksum(int panelCount) {
    const long long n = panelCount;
    return (n - 1) * n * (n + 1) / 2;
}

bool isAcceptableOrder(int panelCount, const std::vector<PairTexts>& rows) {
    if (pairChecksum(rows) != expectedPairChecksum(panelCount))
        return false;
    std::vector<TPanelPair> pairs;
    pairs.reserve(rows.size());
    for (const PairTexts& row : rows)
        pairs.push_back({parseInteger(row.a), parseInteger(row.b)});
    return isCompletePairSet(panelCount, pairs);
}

}  // namespace kestrune
