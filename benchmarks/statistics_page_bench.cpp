// The statistics sub-page's tables of difference as the user meets them, for a file of the
// largest size (10 panels, 45 pairs, 25 images, 100 subjects): each new table chosen and
// painted, the level of the tests changed, and the comparison with a second file.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>

#include "analysis/statistics/StatisticsCaptions.h"
#include "benchmarks/LargestDisk.h"
#include "ui/analysis/StatisticsSubPage.h"
#include "ui/common/AppContext.h"
#include "ui/common/Prompter.h"

using namespace kestrune;

namespace {

// Answers drawn from a Bradley–Terry model, so that the fits are the usual case.
int bradleyTerryAnswer(int, int a, int b, int m, double draw) {
    const double difference = 0.25 * ((a * m) % 7 - (b * m) % 7);
    return draw < 1.0 / (1.0 + std::exp(-difference)) ? 0 : 1;
}

const LargestDisk& disk() {
    static const LargestDisk largest(bradleyTerryAnswer);
    return largest;
}

struct ShownPage {
    ShownPage() : prompter(nullptr), context(prompter), page(context) {
        page.resize(1024, 600);
        page.show();
        page.showFile(disk().disk(), TSexGroup::Male, "大", "全員");
        QCoreApplication::processEvents();
    }
    void choose(std::string_view caption) {
        page.tableChooser()->setCurrentIndex(page.tableChooser()->findText(
            QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()))));
        page.repaint();
    }
    WidgetPrompter prompter;
    AppContext context;
    StatisticsSubPage page;
};

const std::string_view kNewTables[] = {statistics::kDifferenceCaption, statistics::kPairDifferenceCaption,
                                       statistics::kScoreIntervalCaption, statistics::kWinProbabilityCaption,
                                       statistics::kSamplePlanCaption};

// One table chosen and painted; the argument is its place in kNewTables.
void BM_NewTableChosenAndPainted(benchmark::State& state) {
    ShownPage shown;
    const std::string_view table = kNewTables[state.range(0)];
    shown.page.tableChooser()->setCurrentIndex(0);
    for (auto _ : state) {
        shown.choose(table);
        shown.choose(statistics::kConsistencyCaption);
    }
    state.SetLabel(std::string(table));
}
BENCHMARK(BM_NewTableChosenAndPainted)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// The file read and every statistic and table of difference computed, the chosen one painted.
void BM_FileShownWithATableOfDifference(benchmark::State& state) {
    ShownPage shown;
    shown.choose(statistics::kDifferenceCaption);
    for (auto _ : state) {
        shown.page.showFile(disk().disk(), TSexGroup::Male, "大", "全員");
        shown.page.repaint();
    }
}
BENCHMARK(BM_FileShownWithATableOfDifference)->Unit(benchmark::kMillisecond);

// A new level of the tests recomputes every table of difference; the summary is shown.
void BM_TestLevelChangedSummaryRepainted(benchmark::State& state) {
    ShownPage shown;
    shown.choose(statistics::kDifferenceCaption);
    bool strict = false;
    for (auto _ : state) {
        shown.page.testLevelBox()->setValue((strict = !strict) ? 1.0 : 5.0);
        shown.page.repaint();
    }
}
BENCHMARK(BM_TestLevelChangedSummaryRepainted)->Unit(benchmark::kMillisecond);

// The second file chosen: both files read and compared image by image, the table painted.
void BM_GroupComparisonChosen(benchmark::State& state) {
    ShownPage shown;
    shown.choose(statistics::kGroupComparisonCaption);
    for (auto _ : state) {
        shown.page.secondFileChooser()->setCurrentIndex(-1);
        shown.page.secondFileChooser()->setCurrentIndex(0);
        shown.page.repaint();
    }
}
BENCHMARK(BM_GroupComparisonChosen)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
