#include "core/InputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace kestrune {

InputFile::InputFile(const std::filesystem::path& path) {
    do {
        // Not blocking: a FIFO put where a plain file was checked must not hang the program.
        descriptor_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (descriptor_ < 0 && errno == EINTR);
}

InputFile::~InputFile() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

std::optional<std::size_t> InputFile::read(char* into, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(descriptor_, into + got, size - got);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        got += static_cast<std::size_t>(n);
    }
    return got;
}

bool InputFile::rewind() {
    return ::lseek(descriptor_, 0, SEEK_SET) == 0;
}

}  // namespace kestrune
