// Every statistics table of a file of the largest size the analyses accept (100 subjects,
// 10 panels so 45 pairs, 25 images): from disk through all computations to the batch tables.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/statistics/BatchTables.h"
#include "analysis/statistics/DifferenceTables.h"
#include "analysis/statistics/FileDifferences.h"
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

// The tests of difference, intervals, win probabilities and plan, every batch table and every
// sub-page table of them, from disk.
void BM_EveryDifferenceTableFromDisk(benchmark::State& state) {
    const StudyDisk disk = largestStudyDisk().disk();
    for (auto _ : state) {
        std::vector<std::string> words;
        const AnalysisInput input = statistics::loadPairedInput(disk, TSexGroup::Male, "大", "全員", words);
        const statistics::FileDifferences stats = statistics::computeFileDifferences(input, words, {});
        benchmark::DoNotOptimize(statistics::differenceBatchTable(stats));
        benchmark::DoNotOptimize(statistics::pairDifferenceBatchTable(stats));
        benchmark::DoNotOptimize(statistics::letterBatchTable(stats));
        benchmark::DoNotOptimize(statistics::scoreIntervalBatchTable(stats));
        benchmark::DoNotOptimize(statistics::winProbabilityBatchTable(stats));
        benchmark::DoNotOptimize(statistics::samplePlanBatchTable(stats));
        for (int table = 0; table < 5; ++table)
            for (int image = 0; image <= 25; ++image)
                benchmark::DoNotOptimize(statistics::differenceGrid(
                    stats, static_cast<statistics::DifferenceTable>(table), image));
    }
}
BENCHMARK(BM_EveryDifferenceTableFromDisk)->Unit(benchmark::kMillisecond);

// Two files of the largest size compared image by image, from disk.
void BM_GroupComparisonFromDisk(benchmark::State& state) {
    const StudyDisk disk = largestStudyDisk().disk();
    for (auto _ : state) {
        std::vector<std::string> words;
        const AnalysisInput first = statistics::loadPairedInput(disk, TSexGroup::Male, "大", "全員", words);
        const AnalysisInput second = statistics::loadPairedInput(disk, TSexGroup::Male, "大", "全員", words);
        const statistics::FileGroupComparison comparison = statistics::compareFiles(first, second, words);
        benchmark::DoNotOptimize(statistics::groupComparisonBatchTable(comparison));
        benchmark::DoNotOptimize(statistics::groupComparisonGrid(comparison, 0));
    }
}
BENCHMARK(BM_GroupComparisonFromDisk)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
