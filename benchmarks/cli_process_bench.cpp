// Whole processes of the batch program against the floors of the same work, measured in the same
// run: `kestrune-cli series` on the sample disk against a C program that opens one of its files,
// and `aggregate` of the largest data file (100 × 45 × 25) against a C program that reads that
// file and parses its numbers. Each iteration starts the process and waits for its end.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "benchmarks/LargestDisk.h"

extern char** environ;

using namespace kestrune;

namespace {

// Runs the program with its standard output thrown away; an iteration that fails ends the run.
void runProcess(benchmark::State& state, std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0 ||
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError(("failed: " + arguments[0]).c_str());
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
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
    runProcess(state, {KESTRUNE_CLI, "--root", disk.disk().root().string(), "aggregate", "大", "male", "全員"});
}
BENCHMARK(BM_AggregateOfTheLargestFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

void BM_FloorProcessParsingTheLargestFile(benchmark::State& state) {
    runProcess(state, {KESTRUNE_FLOOR_READ_NUMBERS, largestDisk().dataPath().string()});
}
BENCHMARK(BM_FloorProcessParsingTheLargestFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
