#include "analysis/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace kestrune {

namespace {

constexpr std::array<std::uint64_t, 7> kPowersOfTen{1, 10, 100, 1000, 10000, 100000, 1000000};

// The table cells' common case (a few decimals, a value well inside a billion) without the
// exact conversion, which costs a tenth of a large table's time: the scaled value is off the
// exact one by less than 1e-7, so wherever it is not within 1e-6 of a half it rounds as the
// exact value does. Anything else gives none and takes the exact way.
bool appendNearbyFixed(std::string& text, double value, int decimals) {
    if (decimals < 1 || decimals >= static_cast<int>(kPowersOfTen.size()))
        return false;
    const std::uint64_t scale = kPowersOfTen[static_cast<std::size_t>(decimals)];
    const double scaled = std::fabs(value) * static_cast<double>(scale);
    if (!(scaled < 1e9))
        return false;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) <= 1e-6)
        return false;
    const std::uint64_t rounded = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    if (std::signbit(value))
        text += '-';
    text += std::to_string(rounded / scale);
    text += '.';
    const std::string decimalsText = std::to_string(rounded % scale);
    text.append(static_cast<std::size_t>(decimals) - decimalsText.size(), '0');
    text += decimalsText;
    return true;
}

}  // namespace

std::string fixedText(double value, int decimals) {
    // No cell ever shows "nan" or "inf": a value that is not a number is the "#NUM!" marker.
    if (!std::isfinite(value))
        return "#NUM!";
    std::string text;
    if (appendNearbyFixed(text, value, decimals))
        return text;
    std::array<char, 400> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace kestrune
