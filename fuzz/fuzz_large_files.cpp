// Every reader of the study disk on files far beyond 4 KiB, which plain fuzzing inputs seldom
// reach: a fuzzed head (header and first lines) followed by a fuzzed padding (line ends of each
// kind, blank or long lines, repeated records) up to a few MiB. Only our own refusals may leave a
// reader, and a reader may keep nothing in proportion to the padding (the run's memory limit
// catches one that does).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/AnalysisInput.h"
#include "analysis/JoinList.h"
#include "analysis/Merge.h"
#include "analysis/QuantityTable.h"
#include "core/Error.h"
#include "core/IniProfile.h"
#include "core/Listings.h"
#include "core/PhysicalQuantity.h"
#include "core/Response.h"
#include "core/Series.h"
#include "fuzz/ScratchDisk.h"

using namespace kestrune;

namespace {

template <typename Step>
void refusalsAllowed(Step step) {
    try {
        step();
    } catch (const UserError&) {
    }
}

// The head of the input up to its first 0xFF byte, then the padding the next bytes describe:
// a unit (a line end, a blank line, a record, a long line) repeated up to about 4 MiB.
std::string paddedFile(std::string_view input) {
    const std::size_t cut = std::min(input.find('\xFF'), input.size());
    std::string file(input.substr(0, cut));
    std::string_view rest = cut < input.size() ? input.substr(cut + 1) : std::string_view();
    const unsigned kind = rest.empty() ? 0 : static_cast<unsigned char>(rest[0]) % 6;
    const std::size_t scale =
        rest.size() < 3
            ? 4096
            : 4096 + ((static_cast<unsigned char>(rest[1]) << 8) | static_cast<unsigned char>(rest[2])) * 64;
    std::string unit;
    switch (kind) {
        case 0:
            unit = "\r\n";
            break;
        case 1:
            unit = "\n";
            break;
        case 2:
            unit = "\r";
            break;
        case 3:
            unit = "0\r\n";
            break;
        case 4:
            unit = "1,2\r\n";
            break;
        default:
            unit = rest.size() > 3 ? std::string(rest.substr(3)) : std::string("x");
            break;
    }
    if (unit.empty())
        unit = "x";
    while (file.size() < scale)
        file += unit;
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchDisk& scratch = fuzz::scratchDisk();
    const std::string file = paddedFile(std::string_view(reinterpret_cast<const char*>(data), size));
    const StudyDisk disk = scratch.disk();

    // Each reader gets the padded file in its own place; the other files of the series are sound.
    scratch.write("order/s.ord", "3,3\r\n1,2\r\n2,3\r\n1,3\r\n");
    scratch.write("paper/s.pap", "1\r\n\"明るい\"\r\n");
    scratch.write("physical/s/s.phy", "1,3\r\n\"q\",\"\"\r\n1\r\n2\r\n3\r\n");
    scratch.write("male/s/f.dat", "1,3,1\r\n0\r\n1\r\n0\r\n");
    scratch.write("kestrune.ini", "[groups]\r\ns=c\r\n");

    scratch.write("order/p.ord", file);
    scratch.write("paper/p.pap", "1\r\n\"w\"\r\n");
    refusalsAllowed([&] { ReadOrderFile(disk.orderPath("p")); });
    refusalsAllowed([&] { readSupportedSeries(disk, "p"); });
    refusalsAllowed([&] { importOrderForWizard(disk.orderPath("p"), 3); });

    scratch.write("paper/p.pap", file);
    refusalsAllowed([&] { ReadVocabularyFile(disk.vocabularyPath("p")); });
    refusalsAllowed([&] { listSeriesCatalogue(disk); });

    scratch.write("physical/s/s.phy", file);
    refusalsAllowed([&] { readPhysicalFile(disk.physicalPath("s")); });
    refusalsAllowed([&] { loadQuantityTable(disk.physicalPath("s"), kCorrelationLimits); });

    scratch.write("male/s/g.dat", file);
    refusalsAllowed([&] { ReadResponseFile(disk.dataPath(TSexGroup::Male, "s", "g")); });
    refusalsAllowed([&] { loadAnalysisInput(disk, TSexGroup::Male, "s", "g", kScaleValueLimits); });
    refusalsAllowed([&] { listDataFiles(disk, TSexGroup::Male, "s", ListingReach::EveryFile); });
    refusalsAllowed([&] {
        JoinList list;
        list.add({{TSexGroup::Male, "s", "f"}, {TSexGroup::Male, "s", "g"}});
        if (const auto target = planMerge(disk, list, "merged"))
            mergeDataFiles(disk, list, *target);
    });

    scratch.write("kestrune.ini", file);
    refusalsAllowed([&] { IniProfile::read(disk.registryPath()); });
    return 0;
}
