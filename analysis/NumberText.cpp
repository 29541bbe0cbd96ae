#include "analysis/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace kestrune {

std::string fixedText(double value, int decimals) {
    // No cell ever shows "nan" or "inf": a value that is not a number is the "#NUM!" marker.
    if (!std::isfinite(value))
        return "#NUM!";
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace kestrune
