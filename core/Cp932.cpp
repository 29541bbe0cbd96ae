#include "core/Cp932.h"

#include <errno.h>
#include <iconv.h>

#include <stdexcept>

#include "core/Error.h"

namespace kestrune {
namespace {

// One iconv conversion descriptor for the duration of a call.
class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of `input`; on an invalid or unconvertible sequence returns false and sets
    // `failedAt` to its offset in the input.
    bool convert(std::string_view input, std::string& output, std::size_t& failedAt) {
        output.clear();
        output.reserve(input.size() * 3 / 2 + 16);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(handle_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, out - buffer);
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                failedAt = input.size() - inLeft;
                return false;
            }
        }
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        iconv(handle_, nullptr, nullptr, &out, &outLeft);
        output.append(buffer, out - buffer);
        return true;
    }

  private:
    iconv_t handle_;
};

}  // namespace

bool isAscii(std::string_view text) {
    unsigned char any = 0;
    for (const char c : text)
        any |= static_cast<unsigned char>(c);
    return any < 0x80;
}

std::optional<std::string> tryDecodeCp932(std::string_view bytes, std::size_t& failedAt) {
    if (isAscii(bytes))
        return std::string(bytes);
    Converter converter("UTF-8", "CP932");
    std::string text;
    if (!converter.convert(bytes, text, failedAt))
        return std::nullopt;
    return text;
}

std::string decodeCp932(std::string_view bytes, std::string_view fileName) {
    if (isAscii(bytes))
        return std::string(bytes);
    Converter converter("UTF-8", "CP932");
    std::string text;
    std::size_t failedAt = 0;
    if (!converter.convert(bytes, text, failedAt))
        throw UserError(messages::invalidCp932(fileName, failedAt));
    return text;
}

std::string encodeCp932(std::string_view utf8) {
    if (isAscii(utf8))
        return std::string(utf8);
    Converter converter("CP932", "UTF-8");
    std::string bytes;
    std::size_t failedAt = 0;
    if (!converter.convert(utf8, bytes, failedAt)) {
        // Name the character that cannot be stored, with a little context.
        const std::size_t from = failedAt > 12 ? failedAt - 12 : 0;
        std::string context(utf8.substr(from, 24));
        while (!context.empty() && (static_cast<unsigned char>(context.back()) & 0xC0) == 0x80)
            context.pop_back();
        if (!context.empty() && (static_cast<unsigned char>(context.back()) & 0x80))
            context.pop_back();
        throw UserError(messages::notEncodable(utf8.size() <= 40 ? std::string(utf8) : context));
    }
    return bytes;
}

std::size_t cp932Length(std::string_view utf8) {
    std::size_t length = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        std::size_t width = 1;
        char32_t code = lead;
        if (lead >= 0xF0) {
            width = 4;
            code = lead & 0x07;
        } else if (lead >= 0xE0) {
            width = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xC0) {
            width = 2;
            code = lead & 0x1F;
        }
        for (std::size_t k = 1; k < width && i + k < utf8.size(); ++k) {
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        i += width;
        // ASCII and half-width katakana take one byte; everything else CP932 holds takes two.
        if (code < 0x80 || (code >= 0xFF61 && code <= 0xFF9F)) {
            length += 1;
        } else {
            length += 2;
        }
    }
    return length;
}

}  // namespace kestrune
