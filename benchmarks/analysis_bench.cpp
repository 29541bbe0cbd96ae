// The analyses on a file of the largest size they accept (100 subjects, 10 panels so 45 pairs,
// 25 images), from disk to text, next to merely reading that file's lines.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/Correlation.h"
#include "analysis/CorrelationMatrix.h"
#include "analysis/ScaleValueAggregation.h"
#include "benchmarks/LargestDisk.h"
#include "core/Response.h"
#include "core/TextLines.h"
#include "output/tables/ScaleValueExport.h"

using namespace kestrune;

namespace {

void BM_ReadDataFileLines(benchmark::State& state) {
    const std::filesystem::path path = largestDisk().dataPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(readTextLines(path));
}
BENCHMARK(BM_ReadDataFileLines)->Unit(benchmark::kMillisecond);

void BM_ReadResponseFile(benchmark::State& state) {
    const std::filesystem::path path = largestDisk().dataPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadResponseFile(path));
}
BENCHMARK(BM_ReadResponseFile)->Unit(benchmark::kMillisecond);

void BM_AggregateFromDiskToText(benchmark::State& state) {
    const StudyDisk disk = largestDisk().disk();
    for (auto _ : state) {
        const ScaleValueTable table = aggregateScaleValues(disk, TSexGroup::Male, "大", "全員");
        benchmark::DoNotOptimize(scaleValueTextLines(table.grid));
    }
}
BENCHMARK(BM_AggregateFromDiskToText)->Unit(benchmark::kMillisecond);

void BM_CorrelationMatrixFromDisk25x25(benchmark::State& state) {
    const StudyDisk disk = largestDisk().disk();
    const CorrelationSide side{CorrelationKind::Images, TSexGroup::Male, "全員"};
    for (auto _ : state)
        benchmark::DoNotOptimize(correlationMatrix(disk, "大", side, side));
}
BENCHMARK(BM_CorrelationMatrixFromDisk25x25)->Unit(benchmark::kMillisecond);

void BM_CorrelationCells25x25(benchmark::State& state) {
    std::vector<std::vector<double>> variables(kImages, std::vector<double>(kPanels));
    for (int j = 0; j < kImages; ++j) {
        for (int k = 0; k < kPanels; ++k)
            variables[j][k] = (j * 7 + k * 13) % 17;
    }
    for (auto _ : state) {
        for (int r = 0; r < kImages; ++r) {
            for (int c = 0; c < kImages; ++c)
                benchmark::DoNotOptimize(correlationText(variables[c], variables[r]));
        }
    }
}
BENCHMARK(BM_CorrelationCells25x25)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
