// Whole processes of the batch program against the floors of the same work, measured in the same
// run: `kestrune-cli series` on the sample disk against a C program that opens one of its files,
// and `aggregate` of the largest data file (100 × 45 × 25) against a C program that reads that
// file and parses its numbers. Each iteration starts the process and waits for its end. The
// machine's speed drifts by a tenth within a run, so the last benchmark also starts each program
// and its floor in turn and reports the ratio of their medians.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "benchmarks/LargestDisk.h"

extern char** environ;

using namespace kestrune;

namespace {

// A program started with its standard output thrown away.
class Process {
  public:
    explicit Process(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {
        for (std::string& argument : arguments_)
            argv_.push_back(argument.data());
        argv_.push_back(nullptr);
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_addopen(&actions_, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
    ~Process() { posix_spawn_file_actions_destroy(&actions_); }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Runs it to its end; false if it could not start or did not exit with 0.
    bool run() const {
        pid_t child = 0;
        int status = 0;
        return posix_spawn(&child, argv_[0], &actions_, nullptr, argv_.data(), environ) == 0 &&
               waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    const std::string& name() const { return arguments_.front(); }

  private:
    std::vector<std::string> arguments_;
    std::vector<char*> argv_;
    posix_spawn_file_actions_t actions_;
};

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

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
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
    const auto timed = [](const Process& process, std::vector<double>& times) {
        const auto start = std::chrono::steady_clock::now();
        const bool ran = process.run();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        return ran;
    };
    for (auto _ : state) {
        if (!timed(aggregate, aggregateMs) || !timed(floor, floorMs)) {
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
