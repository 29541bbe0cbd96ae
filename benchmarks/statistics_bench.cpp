// Every statistics table of a file of the largest size the analyses accept (100 subjects,
// 10 panels so 45 pairs, 25 images): from disk through all computations to the batch tables.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/statistics/BatchTables.h"
#include "analysis/statistics/FileStatistics.h"
#include "benchmarks/LargestDisk.h"
#include "core/TextLines.h"

using namespace kestrune;

namespace {

// Answers drawn from a Bradley–Terry model, so that the fits are the usual case, not the
// degenerate one of coin flips.
int bradleyTerryAnswer(int, int a, int b, int m, double draw) {
    const double difference = 0.25 * ((a * m) % 7 - (b * m) % 7);
    return draw < 1.0 / (1.0 + std::exp(-difference)) ? 0 : 1;
}

const LargestDisk& largestStudyDisk() {
    static const LargestDisk disk(bradleyTerryAnswer);
    return disk;
}

void BM_EveryStatisticsTableFromDisk(benchmark::State& state) {
    const StudyDisk disk = largestStudyDisk().disk();
    for (auto _ : state) {
        const statistics::FileStatistics stats =
            statistics::fileStatistics(disk, TSexGroup::Male, "大", "全員");
        benchmark::DoNotOptimize(statistics::consistencyBatchTable(stats));
        benchmark::DoNotOptimize(statistics::agreementBatchTable(stats));
        benchmark::DoNotOptimize(statistics::bradleyTerryBatchTable(stats));
        benchmark::DoNotOptimize(statistics::thurstoneBatchTable(stats));
        benchmark::DoNotOptimize(statistics::orderBiasBatchTable(stats));
        benchmark::DoNotOptimize(statistics::screeningBatchTable(stats.screening));
    }
}
BENCHMARK(BM_EveryStatisticsTableFromDisk)->Unit(benchmark::kMillisecond);

void BM_StatisticsComputationOnly(benchmark::State& state) {
    std::vector<std::string> words;
    const AnalysisInput input =
        statistics::loadStatisticsInput(largestStudyDisk().disk(), TSexGroup::Male, "大", "全員", words);
    for (auto _ : state)
        benchmark::DoNotOptimize(statistics::computeFileStatistics(input, words));
}
BENCHMARK(BM_StatisticsComputationOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
