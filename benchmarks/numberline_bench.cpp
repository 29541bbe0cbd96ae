// The number line window's work on the largest table (25 images, 10 panels): drawing the
// graph, painting it at the window's size, and the copy and save forms.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <string>

#include "analysis/NumberLine.h"
#include "core/Picture.h"
#include "core/TextGrid.h"
#include "output/figure/FigureApplication.h"
#include "output/figure/FigureFiles.h"
#include "output/figure/FigureMimeData.h"
#include "output/figure/QPainterCanvas.h"

using namespace kestrune;

namespace {

constexpr int kImages = 25;
constexpr int kPanels = 10;

TextGrid largestTable() {
    TextGrid grid(kPanels + 3, 3 * kImages + 1);
    for (int i = 1; i <= kImages; ++i) {
        grid.setCell(0, 3 * i - 2, "イメージ" + std::to_string(i));
        for (int p = 1; p <= kPanels; ++p)
            grid.setCell(p + 1, 3 * i, std::to_string((p * 7 + i * 3) % 11 * 0.5 - 2.5));
    }
    return grid;
}

Picture largestPicture() {
    Picture picture;
    drawNumberLine(largestTable(), "C:\\female\\大\\大.dat", picture);
    return picture;
}

void DrawNumberLine(benchmark::State& state) {
    ensureFigureApplication();
    const TextGrid table = largestTable();
    for (auto _ : state) {
        Picture picture;
        benchmark::DoNotOptimize(drawNumberLine(table, "C:\\female\\大\\大.dat", picture));
    }
}
BENCHMARK(DrawNumberLine)->Unit(benchmark::kMicrosecond);

// One repaint of the window's picture area (560 wide, below the tool bar).
void PaintWindowSize(benchmark::State& state) {
    ensureFigureApplication();
    const Picture picture = largestPicture();
    QImage image(560, 545, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        renderPicture(picture, painter, QRectF(image.rect()));
    }
}
BENCHMARK(PaintWindowSize)->Unit(benchmark::kMillisecond);

// "コピー": every clipboard form at once.
void CopyForms(benchmark::State& state) {
    ensureFigureApplication();
    const Picture picture = largestPicture();
    for (auto _ : state)
        benchmark::DoNotOptimize(figureMimeData(picture));
}
BENCHMARK(CopyForms)->Unit(benchmark::kMillisecond);

void SaveBytes(benchmark::State& state) {
    ensureFigureApplication();
    const Picture picture = largestPicture();
    const auto format = static_cast<FigureFormat>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(figureBytes(picture, format));
}
BENCHMARK(SaveBytes)
    ->Arg(static_cast<int>(FigureFormat::EnhancedMetafile))
    ->Arg(static_cast<int>(FigureFormat::Bitmap))
    ->Arg(static_cast<int>(FigureFormat::Png))
    ->Arg(static_cast<int>(FigureFormat::Svg))
    ->Arg(static_cast<int>(FigureFormat::Pdf))
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
