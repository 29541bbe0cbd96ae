// `kestrune-cli export` and `import` of the largest data file (100 subjects × 45 pairs × 25 images =
// 112,500 rows) against a C program that reads the same CSV and parses its fields, measured in
// turn within one run; the counters are the medians of each and their ratios.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "benchmarks/LargestDisk.h"
#include "benchmarks/ProcessTimer.h"

using namespace kestrune;

namespace {

void BM_ExportImportAndTheirFloorInTurn(benchmark::State& state) {
    const LargestDisk& disk = largestDisk();
    const std::string root = disk.disk().root().string();
    const std::string csv = (disk.disk().root() / "全員.csv").string();
    const Process exporting({KESTRUNE_CLI, "--root", root, "export", "大", "male", "全員", "-o", csv});
    const Process importing({KESTRUNE_CLI, "--root", root, "import", "大", "male", "戻り", csv, "--yes"});
    const Process floor({KESTRUNE_FLOOR_READ_CSV, csv});
    std::vector<double> exportMs;
    std::vector<double> importMs;
    std::vector<double> floorMs;
    for (auto _ : state) {
        if (!exporting.timed(exportMs) || !importing.timed(importMs) || !floor.timed(floorMs)) {
            state.SkipWithError("a process failed");
            break;
        }
    }
    state.counters["rows"] = 100 * 45 * 25;
    state.counters["csv_bytes"] = static_cast<double>(std::filesystem::file_size(csv));
    state.counters["export_ms"] = median(exportMs);
    state.counters["import_ms"] = median(importMs);
    state.counters["floor_ms"] = median(floorMs);
    state.counters["export_ratio"] = median(exportMs) / std::max(median(floorMs), 1e-9);
    state.counters["import_ratio"] = median(importMs) / std::max(median(floorMs), 1e-9);
}
BENCHMARK(BM_ExportImportAndTheirFloorInTurn)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
