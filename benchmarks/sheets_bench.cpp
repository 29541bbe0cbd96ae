// Answer sheets for the largest survey: 100 subjects of a 10-panel, 25-image series, that is
// 45 sheets each, 4,500 pages in one PDF document (the target is 10 s).
#include <benchmark/benchmark.h>

#include <string>

#include "analysis/BalancedOrder.h"
#include "output/figure/FigureApplication.h"
#include "output/sheets/AnswerSheetPrinter.h"

using namespace kestrune;

namespace {

AnswerSheetRequest largestRequest(int subjects) {
    TSeries series;
    series.name = "十種比較";
    series.panelCount = 10;
    series.pairs = balancedOrder(10);
    for (int i = 1; i <= kMaxImages; ++i)
        series.images.push_back("イメージ語彙" + std::to_string(i));
    return answerSheetRequest(
        series, {"A-101", "B-202", "C-303", "D-404", "E-505", "F-606", "G-707", "H-808", "I-909", "J-010"},
        subjects);
}

void BM_AnswerSheetsPdf(benchmark::State& state) {
    ensureFigureApplication();
    const AnswerSheetRequest request = largestRequest(static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string pdf = answerSheetsPdf(request);
        bytes = pdf.size();
        benchmark::DoNotOptimize(pdf.data());
    }
    state.counters["pages"] = static_cast<double>(request.pairs.size() * state.range(0));
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_AnswerSheetsPdf)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
