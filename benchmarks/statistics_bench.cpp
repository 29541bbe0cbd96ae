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
#include "core/TextLines.h"

using namespace kestrune;

namespace {

constexpr int kSubjects = 100;
constexpr int kPanels = 10;
constexpr int kImages = 25;

// Answers drawn from a Bradley–Terry model, so that the fits are the usual case, not the
// degenerate one of coin flips.
class LargestStudyDisk {
  public:
    LargestStudyDisk() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrune-stats-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary directory");
        root_ = pattern;
        for (const char* dir : {"order", "paper", "male/大"})
            std::filesystem::create_directories(root_ / dir);
        std::vector<std::string> order{"10,45"};
        std::vector<std::pair<int, int>> pairs;
        for (int a = 1; a <= kPanels; ++a) {
            for (int b = a + 1; b <= kPanels; ++b) {
                order.push_back(std::to_string(a) + "," + std::to_string(b));
                pairs.push_back({a, b});
            }
        }
        writeTextLines(root_ / "order" / "大.ord", order);
        std::vector<std::string> words{std::to_string(kImages)};
        for (int m = 1; m <= kImages; ++m)
            words.push_back("\"イメージ" + std::to_string(m) + "\"");
        writeTextLines(root_ / "paper" / "大.pap", words);
        std::vector<std::string> data{"100,45,25"};
        unsigned seed = 12345;
        for (int s = 0; s < kSubjects; ++s) {
            for (const auto& [a, b] : pairs) {
                for (int m = 1; m <= kImages; ++m) {
                    seed = seed * 1103515245u + 12345u;
                    const double uniform = ((seed >> 8) & 0xffff) / 65536.0;
                    const double difference = 0.25 * ((a * m) % 7 - (b * m) % 7);
                    data.push_back(uniform < 1.0 / (1.0 + std::exp(-difference)) ? "0" : "1");
                }
            }
        }
        writeTextLines(root_ / "male" / "大" / "全員.dat", data);
    }
    ~LargestStudyDisk() { std::filesystem::remove_all(root_); }

    StudyDisk disk() const { return StudyDisk(root_); }

  private:
    std::filesystem::path root_;
};

const LargestStudyDisk& largestStudyDisk() {
    static const LargestStudyDisk disk;
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
