#include "output/figure/PrintGeometry.h"

#include <QPainter>
#include <QPrinter>
#include <cmath>

#include "core/Error.h"
#include "core/Picture.h"
#include "output/figure/QPainterCanvas.h"

namespace kestrune {

namespace {

constexpr double kInchesPerMillimetre = 0.039370078740157480;

int dots(int millimetres, int dotsPerInch) {
    return static_cast<int>(std::nearbyint(millimetres * kInchesPerMillimetre * dotsPerInch));
}

}  // namespace

PrintSquare printSquare(const FigureMargins& margins, int dotsPerInchX, int dotsPerInchY, int pageWidth,
                        int pageHeight) {
    const int left = dots(margins.left, dotsPerInchX);
    const int right = dots(margins.right, dotsPerInchX);
    const int top = dots(margins.top, dotsPerInchY);
    const int bottom = dots(margins.bottom, dotsPerInchY);
    const int width = pageWidth - left - right;
    const int height = pageHeight - top - bottom;
    if (width <= 0 || height <= 0)
        throw UserError(kNoPrintableSquare);
    return {left, top, width < height ? width : height};
}

void printFigure(const Picture& picture, QPrinter& printer, const FigureMargins& margins) {
    const PrintSquare square =
        printSquare(margins, printer.logicalDpiX(), printer.logicalDpiY(), printer.width(), printer.height());
    QPainter painter;
    if (!painter.begin(&printer))
        throw UserError("印刷を開始できません。");
    renderPicture(picture, painter, QRectF(square.left, square.top, square.side, square.side));
    painter.end();
}

}  // namespace kestrune
