// The analysis page as the user meets it: the click on "データ集計" for a file of the largest
// size until the filled table is painted, and the data file list of 1,000 files filled.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QTreeWidget>

#include "benchmarks/LargestDisk.h"
#include "ui/analysis/AnalysisPage.h"
#include "ui/analysis/DataFileList.h"
#include "ui/common/AppContext.h"
#include "ui/common/Prompter.h"
#include "ui/common/SexGroupChooser.h"

using namespace kestrune;

namespace {

// A page on the largest disk, shown offscreen, with the series chosen and set up.
struct ShownPage {
    ShownPage() : prompter(nullptr), context(prompter), page(context) {
        context.disk.setRoot(largestDisk().disk().root());
        page.seriesChooser()->addItem(QStringLiteral("大"));
        page.setUpPage();
        page.resize(1200, 800);
        page.show();
        QCoreApplication::processEvents();
    }
    WidgetPrompter prompter;
    AppContext context;
    AnalysisPage page;
};

void BM_AggregateClickToPaintedTable(benchmark::State& state) {
    ShownPage shown;
    shown.page.dataFileList()->topLevelItem(0)->setSelected(true);
    for (auto _ : state) {
        shown.page.aggregateButton()->click();
        shown.page.repaint();
    }
}
BENCHMARK(BM_AggregateClickToPaintedTable)->Unit(benchmark::kMillisecond);

void BM_FillDataFileListOf1000Files(benchmark::State& state) {
    ShownPage shown;
    const std::filesystem::path directory = largestDisk().disk().dataDirectory(TSexGroup::Female, "大");
    std::filesystem::create_directories(directory);
    for (int n = 0; n < 1000; ++n)
        writeTextLines(directory / ("被験者" + std::to_string(n) + ".dat"), {"1,45,25", "0"});
    shown.page.sexGroupChooser()->setCurrentIndex(static_cast<int>(TSexGroup::Female));
    for (auto _ : state) {
        shown.page.refillDataFiles();
        shown.page.repaint();
    }
    state.counters["files"] = shown.page.dataFileList()->topLevelItemCount();
    std::filesystem::remove_all(directory);
}
BENCHMARK(BM_FillDataFileListOf1000Files)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
