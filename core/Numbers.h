#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrune {

// A decimal integer as the runtime's conversion reads it: optional leading blanks, an
// optional sign, decimal digits, nothing after them, within 32 bits. Anything else throws
// UserError "'%s' は整数ではありません".
std::int32_t parseInteger(std::string_view text);

// A decimal real: optional leading blanks, optional sign, digits with an optional point and
// fraction, an optional exponent; the whole text consumed. Empty or malformed text gives none.
std::optional<double> parseReal(std::string_view text);

std::string integerText(long long value);

}  // namespace kestrune
