#include "analysis/statistics/Thurstone.h"

#include <algorithm>
#include <cmath>

#include "analysis/statistics/Distributions.h"

namespace kestrune::statistics {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
// The variance of arcsin √p in degrees for one observation, (180/π)²/4.
constexpr double kAngularVariance = 821.0;

double angle(double p) {
    return std::asin(std::sqrt(std::clamp(p, 0.0, 1.0))) * kDegreesPerRadian;
}

}  // namespace

Thurstone thurstoneOf(const PairedData& data, int image) {
    Thurstone result;
    const int n = data.panels();
    const double m = data.subjects();
    const double lowest = 1.0 / (2.0 * m);
    result.scale.assign(n, 0.0);
    for (int i = 1; i <= n; ++i) {
        double sum = 0;
        for (int j = 1; j <= n; ++j) {
            if (i == j)
                continue;
            double p = data.preferred(image, i, j) / m;
            if (p <= 0 || p >= 1) {
                p = p <= 0 ? lowest : 1.0 - lowest;
                if (i < j)
                    ++result.replacedProportions;
            }
            sum += normalQuantile(p);
        }
        result.scale[i - 1] = sum / n;
    }
    const double bottom = *std::min_element(result.scale.begin(), result.scale.end());
    for (double& s : result.scale)
        s -= bottom;
    for (int i = 1; i <= n; ++i) {
        for (int j = i + 1; j <= n; ++j) {
            const double observed = angle(data.preferred(image, i, j) / m);
            const double fitted = angle(normalCdf(result.scale[i - 1] - result.scale[j - 1]));
            result.chiSquare += (observed - fitted) * (observed - fitted);
        }
    }
    result.chiSquare /= kAngularVariance / m;
    result.degrees = (n - 1) * (n - 2) / 2;
    result.probability = chiSquareUpperTail(result.chiSquare, result.degrees);
    return result;
}

}  // namespace kestrune::statistics
