#include "collect/Codes.h"

#include <sys/random.h>

#include <cerrno>
#include <cstdint>

#include "core/Error.h"

namespace kestrune::collect {

void randomBytes(void* buffer, std::size_t size) {
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = getrandom(bytes + done, size - done, 0);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw UserError("乱数を得られません。");
        }
        done += static_cast<std::size_t>(got);
    }
}

std::string newToken() {
    unsigned char bytes[16];
    randomBytes(bytes, sizeof bytes);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string token;
    for (unsigned char b : bytes) {
        token += kHex[b >> 4];
        token += kHex[b & 15];
    }
    return token;
}

bool isTokenText(std::string_view text) {
    if (text.size() != 32)
        return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

std::size_t randomBelow(std::size_t bound) {
    // Rejection sampling, so that no value is more likely than another.
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % bound;
    for (;;) {
        std::uint64_t value = 0;
        randomBytes(&value, sizeof value);
        if (value < limit)
            return static_cast<std::size_t>(value % bound);
    }
}

std::string newCode(std::size_t length) {
    std::string code;
    for (std::size_t i = 0; i < length; ++i)
        code += kCodeAlphabet[randomBelow(kCodeAlphabet.size())];
    return code;
}

bool isCodeText(std::string_view text, std::size_t length) {
    if (text.size() != length)
        return false;
    for (char c : text) {
        if (kCodeAlphabet.find(c) == std::string_view::npos)
            return false;
    }
    return true;
}

}  // namespace kestrune::collect
