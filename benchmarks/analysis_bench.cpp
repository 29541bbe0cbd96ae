// The analyses on a file of the largest size they accept (100 subjects, 10 panels so 45 pairs,
// 25 images), from disk to text, next to merely reading that file's lines.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/Correlation.h"
#include "analysis/CorrelationMatrix.h"
#include "analysis/ScaleValueAggregation.h"
#include "core/Series.h"
#include "core/TextLines.h"
#include "output/tables/ScaleValueExport.h"

using namespace kestrune;

namespace {

constexpr int kSubjects = 100;
constexpr int kPanels = 10;
constexpr int kImages = 25;

// A study disk with one series and one full-size data file, made once per run.
class LargestDisk {
  public:
    LargestDisk() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrune-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary directory");
        root_ = pattern;
        for (const char* dir : {"order", "paper", "male/大"})
            std::filesystem::create_directories(root_ / dir);
        std::vector<std::string> order{"10,45"};
        for (int a = 1; a <= kPanels; ++a) {
            for (int b = a + 1; b <= kPanels; ++b)
                order.push_back(std::to_string(a) + "," + std::to_string(b));
        }
        writeTextLines(root_ / "order" / "大.ord", order);
        std::vector<std::string> words{std::to_string(kImages)};
        for (int m = 1; m <= kImages; ++m)
            words.push_back("\"イメージ" + std::to_string(m) + "\"");
        writeTextLines(root_ / "paper" / "大.pap", words);
        std::vector<std::string> data{"100,45,25"};
        unsigned seed = 12345;
        for (int n = 0; n < kSubjects * 45 * kImages; ++n) {
            seed = seed * 1103515245u + 12345u;
            data.push_back((seed >> 16) & 1 ? "1" : "0");
        }
        writeTextLines(dataPath(), data);
    }
    ~LargestDisk() { std::filesystem::remove_all(root_); }

    StudyDisk disk() const { return StudyDisk(root_); }
    std::filesystem::path dataPath() const { return root_ / "male" / "大" / "全員.dat"; }

  private:
    std::filesystem::path root_;
};

const LargestDisk& largestDisk() {
    static const LargestDisk disk;
    return disk;
}

void BM_ReadDataFileLines(benchmark::State& state) {
    const std::filesystem::path path = largestDisk().dataPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(readTextLines(path));
}
BENCHMARK(BM_ReadDataFileLines)->Unit(benchmark::kMillisecond);

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
