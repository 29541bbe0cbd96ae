#pragma once

#include <cstddef>
#include <string_view>

namespace kestrune::testing {

// The plain way to find the first byte that is not UTF-8, which the fast check is held to: it
// decodes each character and judges its code point; the offset of the first bad one's lead.
inline std::size_t firstInvalidByDecoding(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        char32_t code = lead;
        if (lead >= 0x80) {
            if ((lead >> 5) == 0x6) {
                length = 2;
                code = lead & 0x1F;
            } else if ((lead >> 4) == 0xE) {
                length = 3;
                code = lead & 0x0F;
            } else if ((lead >> 3) == 0x1E) {
                length = 4;
                code = lead & 0x07;
            } else {
                return i;
            }
            if (text.size() - i < length)
                return i;
            for (std::size_t k = 1; k < length; ++k) {
                const unsigned char next = static_cast<unsigned char>(text[i + k]);
                if ((next & 0xC0) != 0x80)
                    return i;
                code = (code << 6) | (next & 0x3F);
            }
            const char32_t lowest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
            if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                return i;
        }
        i += length;
    }
    return text.size();
}

}  // namespace kestrune::testing
