#pragma once

#include <string>
#include <vector>

namespace kestrune {

// Texts of a correlation that cannot be computed.
inline constexpr const char* kCorrelationNotANumber = "#NUM!";
inline constexpr const char* kCorrelationDivisionByZero = "#DIV/0!";

// Pearson's product-moment coefficient of two variables over the same panels (x[k], y[k] for
// k = 1..n, n = the size of both), as the matrix cell shows it: means, then the sums Sxx, Syy
// and Sxy in panel order, P = Sxx·Syy; "#NUM!" when P < 0 or not a number, "#DIV/0!" when P = 0
// (a variable constant over the panels), otherwise Sxy / √P formatted "%4.4f".
std::string correlationText(const std::vector<double>& x, const std::vector<double>& y);

}  // namespace kestrune
