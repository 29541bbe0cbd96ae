// `kestrune-cli export` and `import` of the largest data file (100 subjects × 45 pairs × 25 images =
// 112,500 rows) against a C program that reads the same CSV and parses its fields, measured in
// turn within one run; the counters are the medians of each and their ratios. Apart from that,
// the export and the import inside one process, without its start and the flush to the disk.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "analysis/CsvExport.h"
#include "analysis/CsvImport.h"
#include "benchmarks/LargestDisk.h"
#include "benchmarks/ProcessTimer.h"

using namespace kestrune;

namespace {

// Each process starts on a quiet disk: what the one before left to write is written first, so
// that no process pays for another's flush.
void settle() {
    ::sync();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

bool timedOnQuietDisk(const Process& process, std::vector<double>& times) {
    settle();
    return process.timed(times);
}

void BM_ExportImportAndTheirFloorInTurn(benchmark::State& state) {
    const LargestDisk& disk = largestDisk();
    const std::filesystem::path root = disk.disk().root();
    const std::filesystem::path csv = root / "全員.csv";
    const std::filesystem::path imported = root / "male" / "大" / "戻り.dat";
    const Process exporting(
        {KESTRUNE_CLI, "--root", root.string(), "export", "大", "male", "全員", "-o", csv.string()});
    const Process importing(
        {KESTRUNE_CLI, "--root", root.string(), "import", "大", "male", "戻り", csv.string()});
    const Process floor({KESTRUNE_FLOOR_READ_CSV, csv.string()});
    std::vector<double> exportMs;
    std::vector<double> replacingMs;
    std::vector<double> importMs;
    std::vector<double> floorMs;
    for (auto _ : state) {
        // Export and import make their files, as a user's first export and import do; the
        // export over the file it made is measured apart, since replacing a file of megabytes
        // costs what the file system takes to free the old one.
        std::filesystem::remove(csv);
        std::filesystem::remove(imported);
        if (!timedOnQuietDisk(exporting, exportMs) || !timedOnQuietDisk(exporting, replacingMs) ||
            !timedOnQuietDisk(importing, importMs) || !timedOnQuietDisk(floor, floorMs)) {
            state.SkipWithError("a process failed");
            break;
        }
    }
    state.counters["rows"] = 100 * 45 * 25;
    state.counters["csv_bytes"] = static_cast<double>(std::filesystem::file_size(csv));
    state.counters["export_ms"] = median(exportMs);
    state.counters["export_replacing_ms"] = median(replacingMs);
    state.counters["import_ms"] = median(importMs);
    state.counters["floor_ms"] = median(floorMs);
    state.counters["export_ratio"] = median(exportMs) / std::max(median(floorMs), 1e-9);
    state.counters["import_ratio"] = median(importMs) / std::max(median(floorMs), 1e-9);
}
BENCHMARK(BM_ExportImportAndTheirFloorInTurn)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// The work inside the processes alone, without their start and the flush to the disk.
void BM_ExportInProcess(benchmark::State& state) {
    const StudyDisk disk = largestDisk().disk();
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        exportCsv(disk, TSexGroup::Male, "大", "全員", CsvLayout::Long, CsvFlavour::Plain,
                  [&bytes](std::string_view piece) { bytes += piece.size(); });
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ExportInProcess)->Unit(benchmark::kMillisecond);

void BM_ReadLongCsvInProcess(benchmark::State& state) {
    const StudyDisk disk = largestDisk().disk();
    const std::filesystem::path csv = disk.root() / "読む.csv";
    writeFileAtomically(csv, [&disk](const ByteSink& sink) {
        exportCsv(disk, TSexGroup::Male, "大", "全員", CsvLayout::Long, CsvFlavour::Plain, sink);
    });
    const TSeries series = readSupportedSeries(disk, "大");
    for (auto _ : state)
        benchmark::DoNotOptimize(readLongCsv(csv, "読む.csv", series).answers.data());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(csv)));
}
BENCHMARK(BM_ReadLongCsvInProcess)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
