// The CSV import against a fixed series. Only our own refusals may stop it; what it accepts
// must give a data file whose export reads back to the same answers; and the UTF-8 check the
// reader relies on must agree with a plain decoder on every input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/CsvExport.h"
#include "analysis/CsvImport.h"
#include "core/Error.h"
#include "core/Response.h"
#include "core/Series.h"
#include "core/Utf8Check.h"
#include "fuzz/ScratchDisk.h"
#include "tests/support/Utf8Decoding.h"

using namespace kestrune;

namespace {

// Three panels presented as 2-1, 1-3, 3-2, and two words, one of which must be quoted in CSV.
void makeSeries(const fuzz::ScratchDisk& scratch) {
    scratch.write("order/s.ord", "3,3\r\n2,1\r\n1,3\r\n3,2\r\n");
    scratch.write("paper/s.pap", "2\r\n\"light\"\r\n\"dark, deep\"\r\n");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchDisk& scratch = fuzz::scratchDisk();
    static const bool ready = (makeSeries(scratch), true);
    (void)ready;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (firstInvalidUtf8(bytes) != testing::firstInvalidByDecoding(bytes))
        __builtin_trap();
    const auto csv = scratch.write("in.csv", bytes);
    try {
        const TSeries series = readSupportedSeries(scratch.disk(), "s");
        const TResponseMatrix matrix = readLongCsv(csv, "in.csv", series);
        if (matrix.answers.size() != matrix.answerCount() || matrix.pairs != 3 || matrix.images != 2)
            __builtin_trap();
        for (const std::int32_t answer : matrix.answers) {
            if (answer != kUnanswered && answer != kChoseA && answer != kChoseB)
                __builtin_trap();
        }
        WriteResponseFile(scratch.path("mix/s/f.dat"), matrix, matrix.subjects);
        const auto back = scratch.write("back.csv", exportCsv(scratch.disk(), TSexGroup::Mix, "s", "f",
                                                              CsvLayout::Long, CsvFlavour::Excel));
        if (readLongCsv(back, "back.csv", series).answers != matrix.answers)
            __builtin_trap();
    } catch (const UserError&) {
    }
    return 0;
}
