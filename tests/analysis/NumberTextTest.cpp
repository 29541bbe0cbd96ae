// The table cells' fixed notation against the exact conversion it shortcuts, on the values where
// a shortcut goes wrong: halves and near-halves, negatives rounding to zero, carries into the
// whole part and the edge of its range.
#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "analysis/NumberText.h"

using namespace kestrune;

namespace {

std::string exactFixed(double value, int decimals) {
    std::array<char, 400> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

std::vector<double> awkwardValues() {
    std::vector<double> values{0.0,         -0.0,    0.0004, -0.0004,       0.0005,      -0.0005,
                               0.0625,      -0.0625, 2.5,    1e-300,        999999.9996, 999999.9995,
                               999999999.5, 1e9,     -1e9,   123456789012.0};
    for (int k = -200; k <= 200; ++k) {
        values.push_back(k / 16.0);             // exact binary halves at every decimal count
        values.push_back(k / 1024.0);           // exact ties several places down
        values.push_back(k / 1000.0 + 0.0005);  // decimal halves, just off in binary
        values.push_back(k / 10000.0 + 0.00005);
        values.push_back(100.0 * k / 9.0 / 100.0);  // the scores' divisions
    }
    std::mt19937_64 random(20240601);
    std::uniform_real_distribution<double> any(-2e6, 2e6);
    std::uniform_real_distribution<double> small(-1.0, 1.0);
    for (int n = 0; n < 20000; ++n) {
        values.push_back(any(random));
        values.push_back(small(random));
    }
    return values;
}

}  // namespace

TEST(NumberText, FixedNotationIsTheExactConversionForEveryDecimalCount) {
    for (const double value : awkwardValues()) {
        for (int decimals = 0; decimals <= 8; ++decimals)
            ASSERT_EQ(fixedText(value, decimals), exactFixed(value, decimals)) << value << " " << decimals;
    }
}

TEST(NumberText, NegativesRoundingToZeroKeepTheirSignAndNonNumbersAreMarked) {
    EXPECT_EQ(fixedText(-0.0004, 3), "-0.000");
    EXPECT_EQ(fixedText(-0.0, 3), "-0.000");
    EXPECT_EQ(fixedText(999999.9996, 3), "1000000.000");
    EXPECT_EQ(fixedText(std::nan(""), 3), "#NUM!");
    EXPECT_EQ(fixedText(-INFINITY, 4), "#NUM!");
}
