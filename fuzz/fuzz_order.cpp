// The order file reader, as the analyses, the wizard's import and the set-ups read it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/Error.h"
#include "core/Series.h"
#include "fuzz/ScratchDisk.h"

using namespace kestrune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchDisk& scratch = fuzz::scratchDisk();
    static const bool vocabulary = [&] {
        scratch.write("paper/s.pap", "2\r\n\"a\"\r\n\"b\"\r\n");
        return true;
    }();
    (void)vocabulary;
    const auto path =
        scratch.write("order/s.ord", std::string_view(reinterpret_cast<const char*>(data), size));
    // Only our own refusals may leave a reader; anything else ends the run as a finding.
    try {
        ReadOrderFile(path);
    } catch (const UserError&) {
    }
    try {
        ReadOrderFile(path, 45);
    } catch (const UserError&) {
    }
    try {
        const TSeries series = readSupportedSeries(scratch.disk(), "s");
        if (series.panelCount < kMinPanels || series.panelCount > kMaxPanels ||
            series.pairs.size() != static_cast<std::size_t>(series.pairCount)) {
            __builtin_trap();
        }
    } catch (const UserError&) {
    }
    try {
        importOrderForWizard(path, 5);
    } catch (const UserError&) {
    }
    return 0;
}
