// The registry "kestrune.ini" as the listings read it: any content reads, never fails.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/IniProfile.h"
#include "core/SexGroup.h"
#include "core/StudyDisk.h"
#include "fuzz/ScratchDisk.h"

using namespace kestrune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchDisk& scratch = fuzz::scratchDisk();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    scratch.write("kestrune.ini", bytes);
    // Nothing may escape: a registry that cannot be read reads as empty.
    const IniProfile registry = scratch.disk().readRegistry();
    for (std::string_view key : {"a", "A", "色彩の印象", ""}) {
        if (StudyDisk::seriesComment(registry, key).size() > 1023 * 3)
            __builtin_trap();
    }
    StudyDisk::fileComment(registry, TSexGroup::Mix, "a", "run1");
    IniProfile::parse(bytes).value("groups", "a");
    return 0;
}
