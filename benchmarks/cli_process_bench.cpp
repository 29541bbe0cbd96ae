// Whole processes of the batch program against the floors of the same work, measured in the same
// run: `kestrune-cli series` on the sample disk against a C program that opens one of its files,
// and `aggregate` of the largest data file (100 × 45 × 25) against a C program that reads that
// file and parses its numbers. Each iteration starts the process and waits for its end. The
// machine's speed drifts by a tenth within a run, so the last benchmark also starts each program
// and its floor in turn and reports the ratio of their medians.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "benchmarks/LargestDisk.h"
#include "benchmarks/ProcessTimer.h"

using namespace kestrune;

namespace {

// An iteration that fails ends the run.
void runProcess(benchmark::State& state, std::vector<std::string> arguments) {
    const Process process(std::move(arguments));
    for (auto _ : state) {
        if (!process.run()) {
            state.SkipWithError(("failed: " + process.name()).c_str());
            break;
        }
    }
}

const std::string kSampleDisk = KESTRUNE_EXAMPLES "/study-disk";

void BM_SeriesOfTheSampleDisk(benchmark::State& state) {
    runProcess(state, {KESTRUNE_CLI, "--root", kSampleDisk, "series"});
}
BENCHMARK(BM_SeriesOfTheSampleDisk)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

void BM_FloorProcessReadingOneFile(benchmark::State& state) {
    runProcess(state, {KESTRUNE_FLOOR_FIRST_LINE, kSampleDisk + "/kestrune.ini"});
}
BENCHMARK(BM_FloorProcessReadingOneFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

void BM_AggregateOfTheLargestFile(benchmark::State& state) {
    const LargestDisk& disk = largestDisk();
    runProcess(state,
               {KESTRUNE_CLI, "--root", disk.disk().root().string(), "aggregate", "大", "male", "全員"});
}
BENCHMARK(BM_AggregateOfTheLargestFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

void BM_FloorProcessParsingTheLargestFile(benchmark::State& state) {
    runProcess(state, {KESTRUNE_FLOOR_READ_NUMBERS, largestDisk().dataPath().string()});
}
BENCHMARK(BM_FloorProcessParsingTheLargestFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

// One iteration runs `aggregate` and then its floor; the counters are the medians of each and
// their ratio.
void BM_AggregateAndItsFloorInTurn(benchmark::State& state) {
    const LargestDisk& disk = largestDisk();
    const Process aggregate(
        {KESTRUNE_CLI, "--root", disk.disk().root().string(), "aggregate", "大", "male", "全員"});
    const Process floor({KESTRUNE_FLOOR_READ_NUMBERS, disk.dataPath().string()});
    std::vector<double> aggregateMs;
    std::vector<double> floorMs;
    for (auto _ : state) {
        if (!aggregate.timed(aggregateMs) || !floor.timed(floorMs)) {
            state.SkipWithError("a process failed");
            break;
        }
    }
    state.counters["aggregate_ms"] = median(aggregateMs);
    state.counters["floor_ms"] = median(floorMs);
    state.counters["ratio"] = median(aggregateMs) / std::max(median(floorMs), 1e-9);
}
BENCHMARK(BM_AggregateAndItsFloorInTurn)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
