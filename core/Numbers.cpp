#include "core/Numbers.h"

#include <charconv>
#include <limits>

#include "core/Error.h"

namespace kestrune {

static bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
static bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::int32_t parseInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size())
        throw UserError(messages::notInteger(text));
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i]))
            throw UserError(messages::notInteger(text));
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(std::numeric_limits<std::int32_t>::max()) + 1) {
            throw UserError(messages::notInteger(text));
        }
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max() ||
        value < std::numeric_limits<std::int32_t>::min()) {
        throw UserError(messages::notInteger(text));
    }
    return static_cast<std::int32_t>(value);
}

std::optional<double> parseReal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < text.size() && isDigit(text[i]))
            ++i, ++exponentDigits;
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    // from_chars reads the same form without regard to the locale; it takes no plus sign.
    std::size_t from = start;
    if (text[from] == '+')
        ++from;
    double value = 0;
    const auto result = std::from_chars(text.data() + from, text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string integerText(long long value) {
    return std::to_string(value);
}

}  // namespace kestrune
