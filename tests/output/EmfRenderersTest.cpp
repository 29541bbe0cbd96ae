#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "FigureGuiApp.h"
#include "analysis/CorrelationDiagram.h"
#include "core/AtomicFile.h"
#include "core/Picture.h"
#include "output/figure/EmfWriter.h"
#include "tests/support/TempDisk.h"

// Renders written metafiles with the programs that read them here. These tools are not part of
// the build machine's packages: without them the tests are skipped.
using namespace kestrune;
using namespace kestrune::testing;

namespace {

bool haveProgram(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

Picture sampleDiagram() {
    DiagramInput input;
    input.horizontal = {DiagramAxisKind::Physical, {2, 45, 450}, true, "明度(cd/m2)"};
    input.vertical = {DiagramAxisKind::Image, {1.2, -0.5, 0.3}, false, "明るい"};
    input.seriesName = "色彩の印象";
    Picture picture;
    drawCorrelationDiagram(input, picture);
    return picture;
}

}  // namespace

TEST(EmfRenderers, LibreOfficeDrawsTheMetafile) {
    if (!haveProgram("soffice"))
        GTEST_SKIP() << "soffice is not installed";
    ensureGuiApplication();
    TempDisk dir;
    writeEnhancedMetafile(dir.path("diagram.emf"), sampleDiagram());
    const std::string command = "cd '" + dir.root().string() + "' && HOME='" + dir.root().string() +
                                "' soffice --headless --convert-to png diagram.emf >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const QImage image(QString::fromStdString(dir.path("diagram.png").string()));
    ASSERT_FALSE(image.isNull());
    // The page holds the figure somewhere: find the dark ink's box, then the axes inside it.
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    const auto dark = [&image](int x, int y) { return qGray(image.pixel(x, y)) < 100; };
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!dark(x, y))
                continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    ASSERT_GT(right - left, 100) << "blank page";
    const int height = bottom - top;
    // The vertical axis: a column near the left edge dark over most of the figure's height.
    int longestColumn = 0;
    for (int x = left; x < left + (right - left) / 4; ++x) {
        int run = 0;
        for (int y = top; y <= bottom; ++y)
            run += dark(x, y);
        longestColumn = std::max(longestColumn, run);
    }
    EXPECT_GT(longestColumn, height * 3 / 4);
    // The horizontal axis: a row in the lower part dark over most of the width.
    int longestRow = 0;
    for (int y = top + height * 3 / 4; y <= bottom; ++y) {
        int run = 0;
        for (int x = left; x <= right; ++x)
            run += dark(x, y);
        longestRow = std::max(longestRow, run);
    }
    EXPECT_GT(longestRow, (right - left) * 3 / 4);
}

TEST(EmfRenderers, Emf2SvgReadsEveryRecord) {
    if (!haveProgram("emf2svg-conv"))
        GTEST_SKIP() << "emf2svg-conv is not installed";
    ensureGuiApplication();
    TempDisk dir;
    writeEnhancedMetafile(dir.path("diagram.emf"), sampleDiagram());
    const std::string command = "emf2svg-conv -i '" + dir.path("diagram.emf").string() + "' -o '" +
                                dir.path("diagram.svg").string() + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string svg = readBytes(dir.path("diagram.svg"));
    EXPECT_NE(svg.find("明るい"), std::string::npos);
    EXPECT_NE(svg.find("色彩の印象"), std::string::npos);
    EXPECT_NE(svg.find("font-family=\"ＭＳ Ｐゴシック\""), std::string::npos);
    EXPECT_NE(svg.find("stroke-width=\"10.0000\""), std::string::npos);  // the axes' wide pen
}

TEST(EmfRenderers, PrintEmfWalksTheWholeFile) {
    if (!haveProgram("printemf"))
        GTEST_SKIP() << "printemf is not installed";
    ensureGuiApplication();
    TempDisk dir;
    writeEnhancedMetafile(dir.path("diagram.emf"), sampleDiagram());
    const std::string command =
        "printemf '" + dir.path("diagram.emf").string() + "' >'" + dir.path("dump.txt").string() + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string dump = readBytes(dir.path("dump.txt"));
    EXPECT_EQ(dump.find("error"), std::string::npos) << dump.substr(0, 200);
    EXPECT_NE(dump.find("*EOF*"), std::string::npos);
}
