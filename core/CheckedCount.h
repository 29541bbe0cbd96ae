#pragma once

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace kestrune {

// Counts read from a file are multiplied only here: in 64 bits, with every overflow and every
// negative factor giving no result, so that no table is ever sized from an unchecked product.
std::optional<std::int64_t> checkedProduct(std::initializer_list<std::int64_t> factors);
std::optional<std::int64_t> checkedSum(std::initializer_list<std::int64_t> terms);

// What a file of `lines` lines can deliver: line number `lastLine` (1-based) must exist. A
// count beyond it, or one that overflowed, throws "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています", as reading
// the missing line would; call it before any memory is sized from the count.
void requireLineNumber(std::size_t lineCount, std::optional<std::int64_t> lastLine);
inline void requireLineNumber(const std::vector<std::string>& lines, std::optional<std::int64_t> lastLine) {
    requireLineNumber(lines.size(), lastLine);
}

// The largest count a header field holds (the readers convert it as a 32-bit integer).
inline constexpr std::int64_t kMaxHeaderCount = std::numeric_limits<std::int32_t>::max();

}  // namespace kestrune
