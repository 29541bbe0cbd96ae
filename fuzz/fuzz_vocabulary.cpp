// The image vocabulary reader.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/Error.h"
#include "core/Series.h"
#include "fuzz/ScratchDisk.h"

using namespace kestrune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchDisk& scratch = fuzz::scratchDisk();
    static const bool order = [&] {
        scratch.write("order/s.ord", "3,3\r\n1,2\r\n1,3\r\n2,3\r\n");
        return true;
    }();
    (void)order;
    const auto path =
        scratch.write("paper/s.pap", std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        ReadVocabularyFile(path);
    } catch (const UserError&) {
    }
    try {
        if (readSupportedSeries(scratch.disk(), "s").images.size() > static_cast<std::size_t>(kMaxImages))
            __builtin_trap();
    } catch (const UserError&) {
    }
    return 0;
}
