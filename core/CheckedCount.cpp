#include "core/CheckedCount.h"

#include "core/Error.h"

namespace kestrune {

std::optional<std::int64_t> checkedProduct(std::initializer_list<std::int64_t> factors) {
    std::int64_t product = 1;
    for (const std::int64_t factor : factors) {
        if (factor < 0 || __builtin_mul_overflow(product, factor, &product))
            return std::nullopt;
    }
    return product;
}

std::optional<std::int64_t> checkedSum(std::initializer_list<std::int64_t> terms) {
    std::int64_t sum = 0;
    for (const std::int64_t term : terms) {
        if (term < 0 || __builtin_add_overflow(sum, term, &sum))
            return std::nullopt;
    }
    return sum;
}

void requireLineNumber(std::size_t lineCount, std::optional<std::int64_t> lastLine) {
    if (!lastLine || *lastLine > static_cast<std::int64_t>(lineCount))
        throw UserError(messages::listIndexOutOfRange());
}

}  // namespace kestrune
