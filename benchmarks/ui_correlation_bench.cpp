// The correlation pages from a click to the shown result: a 25 x 25 matrix of two maximum data
// files (100 subjects, 45 pairs of 10 panels, 25 images) after the row file is chosen, and a
// diagram of two images after an axis item is chosen. Both re-read the disk, as the pages do.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/Picture.h"
#include "core/Series.h"
#include "core/StudyDisk.h"
#include "core/TextLines.h"
#include "ui/common/AppContext.h"
#include "ui/common/Prompter.h"
#include "ui/correlation/CorrelationDiagramPage.h"
#include "ui/correlation/CorrelationMatrixPage.h"
#include "ui/correlation/CorrelationSideControls.h"
#include "ui/figures/PageSetupDialog.h"

namespace {

using namespace kestrune;

std::filesystem::path makeMaximumDisk() {
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "kestrune-bench-correlation";
    std::filesystem::remove_all(root);
    for (const char* directory : {"order", "paper", "male/最大", "physical/最大"})
        std::filesystem::create_directories(root / pathFromUtf8(directory));
    const StudyDisk disk(root);
    std::vector<PairTexts> pairs;
    for (int a = 1; a <= 10; ++a) {
        for (int b = a + 1; b <= 10; ++b)
            pairs.push_back({std::to_string(a), std::to_string(b)});
    }
    WriteOrderFile(disk, "最大", "10", std::to_string(pairs.size()), pairs);
    std::vector<std::string> words;
    for (int i = 1; i <= 25; ++i)
        words.push_back("語" + std::to_string(i));
    WriteVocabularyFile(disk, "最大", words);
    unsigned state = 1;
    for (const char* file : {"male/最大/a.dat", "male/最大/b.dat"}) {
        std::vector<std::string> lines{"100,45,25"};
        for (int i = 0; i < 100 * 45 * 25; ++i) {
            state = state * 1103515245u + 12345u;
            lines.push_back((state >> 16) % 2 == 0 ? "0" : "1");
        }
        writeTextLines(root / pathFromUtf8(file), lines);
    }
    return root;
}

struct Pages {
    Pages() : context(prompter) {
        context.disk.setRoot(makeMaximumDisk());
        matrix.seriesChooser()->addItem(QStringLiteral("最大"));
        diagram.seriesChooser()->addItem(QStringLiteral("最大"));
        matrix.setUpPage();
        diagram.setUpPage();
    }
    WidgetPrompter prompter;
    AppContext context;
    Picture picture;
    PageSetupDialog pageSetup;
    CorrelationMatrixPage matrix{context};
    CorrelationDiagramPage diagram{context, picture, pageSetup};
};

// Made on first use and released before the application object goes.
std::unique_ptr<Pages>& pagesHolder() {
    static std::unique_ptr<Pages> holder;
    return holder;
}

Pages& pages() {
    if (!pagesHolder())
        pagesHolder() = std::make_unique<Pages>();
    return *pagesHolder();
}

void MatrixAfterFileChoice(benchmark::State& state) {
    QComboBox* rows = pages().matrix.rowSide().fileChooser();
    int next = 0;
    for (auto _ : state) {
        next = 1 - next;
        rows->setCurrentIndex(next);
        QApplication::processEvents();
    }
    if (pages().matrix.grid().columnCount() != 26 || pages().matrix.grid().rowCount() != 26)
        state.SkipWithError("not a 25 x 25 matrix");
}
BENCHMARK(MatrixAfterFileChoice)->Unit(benchmark::kMillisecond);

void DiagramAfterItemChoice(benchmark::State& state) {
    QComboBox* items = pages().diagram.horizontal().items;
    int next = 0;
    for (auto _ : state) {
        next = (next + 1) % 25;
        items->setCurrentIndex(next);
        pages().diagram.repaint();
    }
    if (pages().picture.empty())
        state.SkipWithError("no diagram drawn");
}
BENCHMARK(DiagramAfterItemChoice)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    pagesHolder().reset();
    return 0;
}
