#include "analysis/Correlation.h"

#include <cmath>
#include <stdexcept>

#include "analysis/NumberText.h"

namespace kestrune {

std::string correlationText(const std::vector<double>& x, const std::vector<double>& y) {
    if (x.size() != y.size())
        throw std::invalid_argument("correlation of variables over different panels");
    const double n = static_cast<double>(x.size());
    double sumX = 0;
    double sumY = 0;
    for (std::size_t k = 0; k < x.size(); ++k) {
        sumX += x[k];
        sumY += y[k];
    }
    const double mx = sumX / n;
    const double my = sumY / n;
    double sxx = 0;
    double syy = 0;
    double sxy = 0;
    for (std::size_t k = 0; k < x.size(); ++k) {
        sxx += (x[k] - mx) * (x[k] - mx);
        syy += (y[k] - my) * (y[k] - my);
        sxy += (x[k] - mx) * (y[k] - my);
    }
    const double product = sxx * syy;
    if (!std::isfinite(product) || product < 0)
        return kCorrelationNotANumber;
    if (product == 0)
        return kCorrelationDivisionByZero;
    // Values near the limits of a double overflow the sums: what is not a number is "#NUM!".
    const double r = sxy / std::sqrt(product);
    if (!std::isfinite(r))
        return kCorrelationNotANumber;
    return fixedText(r, 4);
}

}  // namespace kestrune
