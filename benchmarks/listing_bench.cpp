// How long the listings of a large study disk take, against merely opening every file and
// reading its first line. The disk (300 series, 3,000 data files of about 100 KB) is made on
// first use in $KESTRUNE_BENCH_DISK (default /tmp/kestrune-bench-disk) and kept for later runs.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/Listings.h"
#include "core/Response.h"
#include "core/Series.h"
#include "core/TextLines.h"

using namespace kestrune;

namespace {

constexpr int kSeries = 300;
constexpr int kFilesPerSeries = 10;

std::filesystem::path benchDisk() {
    const char* env = std::getenv("KESTRUNE_BENCH_DISK");
    return env ? env : "/tmp/kestrune-bench-disk";
}

std::string seriesName(int s) {
    return "series" + std::to_string(1000 + s);
}

void makeDisk(const std::filesystem::path& root) {
    if (std::filesystem::exists(root / "complete"))
        return;
    const StudyDisk disk(root);
    std::filesystem::create_directories(disk.orderDirectory());
    std::filesystem::create_directories(disk.vocabularyDirectory());
    // 20 subjects × 45 pairs × 25 images = 22,500 answers: about 100 KB of "0\r\n" / "1\r\n".
    TResponseMatrix matrix{20, 45, 25, {}};
    for (std::size_t n = 0; n < matrix.answerCount(); ++n)
        matrix.answers.push_back(n % 3 == 0);
    std::vector<PairTexts> order;
    for (int a = 1; a <= 10; ++a)
        for (int b = a + 1; b <= 10; ++b)
            order.push_back({std::to_string(a), std::to_string(b)});
    for (int s = 0; s < kSeries; ++s) {
        const std::string name = seriesName(s);
        WriteOrderFile(disk, name, "10", "45", order);
        WriteVocabularyFile(disk, name, std::vector<std::string>(25, "言葉"));
        const TSexGroup group = kAllSexGroups[s % 3];
        std::filesystem::create_directories(disk.dataDirectory(group, name));
        for (int f = 0; f < kFilesPerSeries; ++f) {
            WriteResponseFile(disk.dataPath(group, name, "run" + std::to_string(f)), matrix, matrix.subjects);
        }
    }
    writeTextLines(root / "complete", {"done"});
}

void BM_ListCatalogueAndAllDataFiles(benchmark::State& state) {
    makeDisk(benchDisk());
    const StudyDisk disk(benchDisk());
    for (auto _ : state) {
        const Listing<SeriesRow> catalogue = listSeriesCatalogue(disk);
        std::size_t rows = 0;
        for (const SeriesRow& series : catalogue.rows) {
            for (TSexGroup group : kAllSexGroups)
                rows += listDataFiles(disk, group, series.name).rows.size();
        }
        if (catalogue.rows.size() != kSeries || rows != kSeries * kFilesPerSeries)
            state.SkipWithError("bad disk");
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_ListCatalogueAndAllDataFiles)->Unit(benchmark::kMillisecond);

// The floor: open each file the listings read and read its first line with stdio.
void BM_OpenEachFileAndReadFirstLine(benchmark::State& state) {
    makeDisk(benchDisk());
    const StudyDisk disk(benchDisk());
    for (auto _ : state) {
        std::size_t bytes = 0;
        char line[256];
        auto readOne = [&](const std::filesystem::path& path) {
            FILE* file = std::fopen(path.c_str(), "rb");
            if (!file)
                return;
            if (std::fgets(line, sizeof line, file))
                bytes += std::char_traits<char>::length(line);
            std::fclose(file);
        };
        for (int s = 0; s < kSeries; ++s) {
            const std::string name = seriesName(s);
            readOne(disk.orderPath(name));
            readOne(disk.vocabularyPath(name));
            for (int f = 0; f < kFilesPerSeries; ++f) {
                readOne(disk.dataPath(kAllSexGroups[s % 3], name, "run" + std::to_string(f)));
            }
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_OpenEachFileAndReadFirstLine)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
