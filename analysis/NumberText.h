#pragma once

#include <string>

namespace kestrune {

// Fixed notation with `decimals` digits after a point, a leading minus sign for negative
// values ("%3.3f" is decimals 3, "%4.4f" decimals 4). Independent of the process locale, so
// a desktop session with a comma locale writes the same bytes as the batch program. A value that
// is not finite gives "#NUM!".
std::string fixedText(double value, int decimals);

}  // namespace kestrune
