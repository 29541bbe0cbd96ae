#pragma once

#include <optional>
#include <vector>

#include "analysis/statistics/PairedData.h"

namespace kestrune::statistics {

// Thurstone's Case V for one image. pᵢⱼ = aᵢⱼ / m; a proportion of 0 or 1 becomes 1/(2m) or
// 1 - 1/(2m) before its normal deviate zᵢⱼ = Φ⁻¹(pᵢⱼ) is taken. The least-squares scale value
// of panel i is the mean of zᵢⱼ over all j (zᵢᵢ = 0), shifted so that the lowest panel is 0.
// Mosteller's test compares arcsin √p of the observed proportions with those of the fitted
// ones Φ(Sᵢ - Sⱼ), in degrees: χ² = Σ_{i<j} (θ - θ')² / (821 / m) on (n - 1)(n - 2)/2 degrees.
struct Thurstone {
    std::vector<double> scale;    // panel k at index k - 1
    int replacedProportions = 0;  // pairs whose proportion was 0 or 1
    double chiSquare = 0;
    int degrees = 0;
    double probability = 0;
};
Thurstone thurstoneOf(const PairedData& data, int image);

}  // namespace kestrune::statistics
