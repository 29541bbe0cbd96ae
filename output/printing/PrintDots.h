#pragma once

#include <cmath>

namespace kestrune {

// Printer sizes are whole dots; a value half way between two goes to the even one, which is
// what nearbyint does under the default rounding mode.
inline int nearestDot(double dots) {
    return static_cast<int>(std::nearbyint(dots));
}

// Millimetres to dots at a resolution in dots per inch. The factor and the order of the
// products are fixed so that every printout rounds its margins alike.
inline int millimetresToDots(double millimetres, int dotsPerInch) {
    return nearestDot(millimetres * 0.03937007874 * dotsPerInch);
}

inline constexpr const char* kCannotStartPrinting = "印刷を開始できません。";

}  // namespace kestrune
