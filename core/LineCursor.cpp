#include "core/LineCursor.h"

namespace kestrune {

std::size_t countLines(std::string_view text) {
    if (text.empty())
        return 0;
    // Every LF ends a line, and every CR not followed by LF. The last character either ends the
    // last line or belongs to a last line without a terminator: one line either way. Branch-free
    // so that the compiler can vectorise the pass.
    const std::size_t last = text.size() - 1;
    std::size_t ends = 0;
    for (std::size_t i = 0; i < last; ++i) {
        const char c = text[i];
        ends += static_cast<std::size_t>((c == '\n') | ((c == '\r') & (text[i + 1] != '\n')));
    }
    return ends + 1;
}

}  // namespace kestrune
