#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include "FigureGuiApp.h"
#include "analysis/CorrelationDiagram.h"
#include "core/Picture.h"
#include "output/figure/FigureFiles.h"
#include "output/figure/QPainterCanvas.h"

using namespace kestrune;
using namespace kestrune::testing;

namespace {

Picture diagramPicture() {
    DiagramInput input;
    input.horizontal = {DiagramAxisKind::Physical, {0, 400, 850}, false, "重さ(g)"};
    input.vertical = {DiagramAxisKind::Physical, {0, 500, 850}, false, "明るい"};
    input.seriesName = "サンプル";
    Picture picture;
    drawCorrelationDiagram(input, picture);
    return picture;
}

bool isBlack(QRgb pixel) {
    return qRed(pixel) < 60 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
}
bool isWhite(QRgb pixel) {
    return qRed(pixel) > 240 && qGreen(pixel) > 240 && qBlue(pixel) > 240;
}
bool isRed(QRgb pixel) {
    return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
}

// Rows of the image holding any dark pixel inside a column range.
int inkedRows(const QImage& image, int fromX, int toX) {
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = fromX; x < toX; ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

}  // namespace

TEST(FigureRender, DiagramAxesAndMarkersLandWhereTheyBelong) {
    ensureGuiApplication();
    const QImage image = figureImage(diagramPicture());
    ASSERT_EQ(image.size(), QSize(1000, 1000));
    EXPECT_TRUE(isWhite(image.pixel(0, 0)));
    EXPECT_TRUE(isBlack(image.pixel(100, 500)));  // vertical axis, pen 10 wide
    EXPECT_TRUE(isBlack(image.pixel(104, 500)));
    EXPECT_TRUE(isBlack(image.pixel(500, 900)));  // horizontal axis
    EXPECT_TRUE(isWhite(image.pixel(300, 300)));  // inside the plot, no point there
    EXPECT_TRUE(isRed(image.pixel(500, 400)));    // panel 2's circle
    EXPECT_TRUE(isRed(image.pixel(100 + 850, 50)) || isRed(image.pixel(948, 52)));  // panel 3 at the corner
}

TEST(FigureRender, PictureStretchesToItsTarget) {
    ensureGuiApplication();
    const Picture picture = diagramPicture();
    QImage image(500, 250, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderPicture(picture, painter, QRectF(0, 0, 500, 250));
    painter.end();
    EXPECT_TRUE(isBlack(image.pixel(50, 125)));  // x 100 → 50, y 500 → 125
    EXPECT_TRUE(isBlack(image.pixel(250, 225)));
    EXPECT_TRUE(isRed(image.pixel(250, 100)));
    EXPECT_TRUE(isWhite(image.pixel(150, 75)));
}

TEST(FigureRender, FontsAreSizedInLogicalUnitsNotPointsOfTheDevice) {
    ensureGuiApplication();
    Picture picture;
    picture.setFont(Font{"ＭＳ ゴシック", 16});
    picture.text({100, 100}, "日本");
    // A printer-like target: 5 dots per unit at 600 dots per inch.
    QImage image(5000, 5000, QImage::Format_RGB32);
    image.setDotsPerMeterX(23622);
    image.setDotsPerMeterY(23622);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderPicture(picture, painter, QRectF(0, 0, 5000, 5000));
    painter.end();
    // 21 units high: about 100 dots of ink, not the 600 a 16-point font at 600 dpi would take.
    const int rows = inkedRows(image, 400, 800);
    EXPECT_GT(rows, 70);
    EXPECT_LT(rows, 110);
}

TEST(FigureRender, FacesMapToInstalledStandIns) {
    ensureGuiApplication();
    EXPECT_EQ(installedFace("ＭＳ ゴシック"), "IPAGothic");
    EXPECT_EQ(installedFace("ＭＳ Ｐゴシック"), "IPAPGothic");
    EXPECT_EQ(installedFace("Arial"), "Liberation Sans");
    EXPECT_EQ(installedFace("Courier"), "Courier");
    const QFont gothic = qtFont(Font{"ＭＳ ゴシック", 24, true, false});
    EXPECT_EQ(gothic.pixelSize(), 32);
    EXPECT_TRUE(gothic.bold());
    EXPECT_EQ(QFontInfo(gothic).family(), "IPAGothic");
    EXPECT_EQ(QFontInfo(qtFont(Font{"Arial", 16})).family(), "Liberation Sans");
}

TEST(FigureRender, OpaqueTextPaintsItsCellTransparentTextDoesNot) {
    ensureGuiApplication();
    Picture picture;
    picture.setBrush(Brush{kBlack});
    picture.rectangle({0, 0}, {1000, 1000});
    picture.setFont(Font{"Arial", 16});
    picture.setTextBackground(true, kWhite);
    picture.text({100, 100}, "...");
    picture.setTextBackground(false);
    picture.text({100, 300}, "...");
    const QImage image = figureImage(picture);
    EXPECT_TRUE(isWhite(image.pixel(102, 103)));  // the top of the cell, above the dots
    EXPECT_TRUE(isBlack(image.pixel(102, 303)));
}

TEST(FigureRender, HollowBrushOutlinesOnly) {
    ensureGuiApplication();
    Picture picture;
    picture.setPen(Pen{Color{0, 0, 255}, 4});
    picture.setBrush(Brush{kRed, true});
    picture.rectangle({100, 100}, {300, 300});
    picture.setBrush(Brush{kRed});
    picture.ellipse({500, 500}, {700, 700});
    const QImage image = figureImage(picture);
    EXPECT_TRUE(isWhite(image.pixel(200, 200)));
    EXPECT_EQ(qBlue(image.pixel(100, 200)), 255);
    EXPECT_TRUE(isRed(image.pixel(600, 600)));
    EXPECT_TRUE(isWhite(image.pixel(505, 505)));  // outside the ellipse, inside its box
}
