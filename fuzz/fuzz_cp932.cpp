// The CP932 conversions at the file boundary.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Cp932.h"
#include "core/Error.h"

using namespace kestrune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string text;
    try {
        text = decodeCp932(bytes, "fuzz");
    } catch (const UserError&) {
        // Not CP932: as UTF-8 it may still be typed text; encoding refuses or converts it.
        try {
            encodeCp932(bytes);
        } catch (const UserError&) {
        }
        cp932Length(bytes);
        return 0;
    }
    // What decodes encodes again, and decodes to the same text.
    const std::string encoded = encodeCp932(text);
    if (decodeCp932(encoded, "fuzz") != text)
        __builtin_trap();
    if (cp932Length(text) != encoded.size())
        __builtin_trap();
    return 0;
}
