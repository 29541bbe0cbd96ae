#include "cli/Output.h"

#include <unistd.h>

#include <cerrno>

namespace kestrune::cli {

namespace {

// The block size of the C library's buffered output: standard output is written once a block has
// gathered, and at the end.
constexpr std::size_t kBlockBytes = 4096;

}  // namespace

Output& Output::operator<<(std::string_view text) {
    pending_.append(text);
    if (buffering_ == Buffering::None || pending_.size() >= kBlockBytes)
        flush();
    return *this;
}

void Output::flush() {
    std::size_t written = 0;
    while (written < pending_.size()) {
        const ssize_t n = ::write(descriptor_, pending_.data() + written, pending_.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        written += static_cast<std::size_t>(n);
    }
    pending_.clear();
}

bool readInputLine(std::string& line) {
    line.clear();
    char c = 0;
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return !line.empty();
        if (c == '\n')
            return true;
        line += c;
    }
}

}  // namespace kestrune::cli
