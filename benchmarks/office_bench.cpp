// Writing the office workbooks of the largest tables: a 25 × 25 correlation matrix and a scale
// value table of 10 panels and 25 images (the target is 100 ms each).
#include <benchmark/benchmark.h>

#include <cstdio>

#include "core/TextGrid.h"
#include "output/office/OfficeFiles.h"

using namespace kestrune;

namespace {

TextGrid largestMatrix() {
    TextGrid grid(26, 26);
    for (int i = 1; i <= 25; ++i) {
        grid.setCell(i, 0, "イメージ" + std::to_string(i));
        grid.setCell(0, i, "イメージ" + std::to_string(i));
    }
    for (int r = 1; r <= 25; ++r) {
        for (int c = 1; c <= 25; ++c) {
            char text[16];
            std::snprintf(text, sizeof text, "%.4f", ((r * 37 + c * 11) % 200 - 100) / 100.0);
            grid.setCell(c, r, text);
        }
    }
    return grid;
}

TextGrid largestScaleValueTable() {
    TextGrid grid(13, 76);
    for (int k = 1; k <= 10; ++k)
        grid.setCell(k + 1, 0, std::to_string(k));
    grid.setCell(12, 0, "平均");
    for (int m = 1; m <= 25; ++m) {
        grid.setCell(0, 3 * m - 2, "イメージ" + std::to_string(m));
        grid.setCell(1, 3 * m - 2, "100点換算得点");
        grid.setCell(1, 3 * m - 1, "標準偏差");
        grid.setCell(1, 3 * m, "標準偏差基準化得点");
        for (int k = 1; k <= 10; ++k) {
            for (int row = 3 * m - 2; row <= 3 * m; ++row) {
                char text[16];
                std::snprintf(text, sizeof text, "%.3f", (k * 7 + row * 3) % 100 + 0.125);
                grid.setCell(k + 1, row, text);
            }
        }
    }
    return grid;
}

void CorrelationWorkbook25x25(benchmark::State& state) {
    const TextGrid grid = largestMatrix();
    for (auto _ : state)
        benchmark::DoNotOptimize(office::correlationWorkbook(grid, "色彩の印象").bytes);
}
BENCHMARK(CorrelationWorkbook25x25)->Unit(benchmark::kMillisecond);

void ScaleValueWorkbook10Panels25Images(benchmark::State& state) {
    const TextGrid grid = largestScaleValueTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(office::scaleValueWorkbook(grid, "色彩の印象").bytes);
}
BENCHMARK(ScaleValueWorkbook10Panels25Images)->Unit(benchmark::kMillisecond);

void CorrelationDocument25x25(benchmark::State& state) {
    const TextGrid grid = largestMatrix();
    for (auto _ : state)
        benchmark::DoNotOptimize(office::correlationDocument(grid).bytes);
}
BENCHMARK(CorrelationDocument25x25)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
