// How fast hostile study disks are refused or read: an order file of 20,000,000 panels chosen
// for the analysis page, a response header whose counts overflow, and the data file listing
// under a registry with a 20 MB line (read once per listing, not once per row).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "analysis/ScaleValueAggregation.h"
#include "core/Error.h"
#include "core/Listings.h"

using namespace kestrune;

namespace {

class ScratchDirectory {
  public:
    ScratchDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrune-hostile-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        root = pattern;
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    void write(const std::string& relative, const std::string& bytes) const {
        const std::filesystem::path file = root / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }
    std::filesystem::path root;
};

void refuse(benchmark::State& state, const ScratchDirectory& disk) {
    for (auto _ : state) {
        try {
            aggregateScaleValues(StudyDisk(disk.root), TSexGroup::Male, "s", "f");
            state.SkipWithError("not refused");
        } catch (const UserError& error) {
            benchmark::DoNotOptimize(error.what());
        }
    }
}

void BM_RefuseTwentyMillionPanels(benchmark::State& state) {
    ScratchDirectory disk;
    disk.write("order/s.ord", "20000000,45\r\n1,2\r\n");
    disk.write("paper/s.pap", "1\r\n\"a\"\r\n");
    disk.write("male/s/f.dat", "1,1,1\r\n0\r\n");
    refuse(state, disk);
}
BENCHMARK(BM_RefuseTwentyMillionPanels)->Unit(benchmark::kMicrosecond);

void BM_RefuseOverflowingResponseHeader(benchmark::State& state) {
    ScratchDirectory disk;
    disk.write("order/s.ord", "3,3\r\n1,2\r\n1,3\r\n2,3\r\n");
    disk.write("paper/s.pap", "1\r\n\"a\"\r\n");
    disk.write("male/s/f.dat", "2147483647,2147483647,2147483647\r\n0\r\n");
    refuse(state, disk);
}
BENCHMARK(BM_RefuseOverflowingResponseHeader)->Unit(benchmark::kMicrosecond);

void BM_ListDataFilesUnderALargeRegistry(benchmark::State& state) {
    ScratchDirectory disk;
    const int files = static_cast<int>(state.range(0));
    std::string registry = "[files]\r\nlong=" + std::string(20 << 20, 'x') + "\r\n";
    for (int f = 0; f < files; ++f) {
        disk.write("male/s/run" + std::to_string(f) + ".dat", "1,1,1\r\n0\r\n");
        registry += "male\\s\\run" + std::to_string(f) + "=comment\r\n";
    }
    disk.write("kestrune.ini", registry);
    for (auto _ : state) {
        const Listing<DataFileRow> listing = listDataFiles(StudyDisk(disk.root), TSexGroup::Male, "s");
        if (listing.rows.size() != static_cast<std::size_t>(files) || listing.rows[0].comment != "comment")
            state.SkipWithError("wrong listing");
    }
}
BENCHMARK(BM_ListDataFilesUnderALargeRegistry)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
