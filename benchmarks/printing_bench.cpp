// Printing the largest result grids to a 600 dpi A4 PDF: the scale value table of 10 panels and
// 25 images (13 × 76 cells, four pages), and 300 lines of individual text (five pages).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <filesystem>
#include <string>
#include <vector>

#include "core/TextGrid.h"
#include "output/printing/TStrGridPrinter.h"
#include "output/printing/TextLinePrinter.h"

using namespace kestrune;

namespace {

// The PDF each run overwrites, in a directory removed when the program ends.
class OutputFile {
  public:
    OutputFile() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrune-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary directory");
        directory_ = pattern;
    }
    ~OutputFile() {
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }
    QString path() const { return QString::fromStdString((directory_ / "print.pdf").string()); }

  private:
    std::filesystem::path directory_;
};

const OutputFile output;

// Fonts need a QGuiApplication; one for the whole run, without a display.
void ensureGuiApplication() {
    if (QGuiApplication::instance() != nullptr)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "printing_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

void toA4At600(QPdfWriter& writer) {
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
}

TextGrid largestScaleValueTable() {
    TextGrid grid(13, 76);
    grid.fixedColumns = 2;
    grid.setColumnWidth(0, 128);
    grid.setColumnWidth(1, 128);
    for (int r = 0; r < grid.rowCount(); ++r) {
        grid.setCell(1, r, "標準偏差基準化得点");
        for (int c = 2; c < grid.columnCount(); ++c)
            grid.setCell(c, r, "-1.061");
    }
    return grid;
}

void PrintLargestScaleValueTable(benchmark::State& state) {
    ensureGuiApplication();
    const TextGrid grid = largestScaleValueTable();
    TStrGridPrinter printer;
    printer.TargetGrid = &grid;
    printer.TopMargin = 20;
    printer.Font = QFont("DejaVu Sans", 9);
    for (auto _ : state) {
        QPdfWriter writer(output.path());
        toA4At600(writer);
        printer.Print(writer);
    }
    state.counters["pages"] = printer.PageNumber;
}
BENCHMARK(PrintLargestScaleValueTable)->Unit(benchmark::kMillisecond);

void PrintIndividualText(benchmark::State& state) {
    ensureGuiApplication();
    std::vector<std::string> lines;
    for (int i = 0; i < 300; ++i)
        lines.push_back(std::to_string(i) + "\t9\t8\t7\t6\t5\t4\t3\t2\t1\t0");
    for (auto _ : state) {
        QPdfWriter writer(output.path());
        toA4At600(writer);
        printTextLines(writer, lines);
    }
}
BENCHMARK(PrintIndividualText)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
