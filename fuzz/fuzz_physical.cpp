// The physical quantity file, as the editor reads it and as the correlation pages load it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "analysis/QuantityTable.h"
#include "core/Error.h"
#include "core/PhysicalQuantity.h"
#include "fuzz/ScratchDisk.h"

using namespace kestrune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchDisk& scratch = fuzz::scratchDisk();
    const auto path =
        scratch.write("physical/s/s.phy", std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        readPhysicalFile(path);
    } catch (const UserError&) {
    }
    try {
        loadQuantityTable(path, kCorrelationLimits);
    } catch (const UserError&) {
    }
    try {
        loadQuantityValues(path, 2, kCorrelationLimits);
    } catch (const UserError&) {
    }
    return 0;
}
