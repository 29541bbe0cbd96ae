// Stand-in for the grid printer while its implementation is built on another branch: one page
// with the page notifications and no cells, so the pages that print link and run. Every
// definition is weak; delete this file when the grid printer's own source is merged.
#include <QPagedPaintDevice>
#include <QPainter>
#include <cmath>

#include "output/printing/TStrGridPrinter.h"

namespace kestrune {

__attribute__((weak)) int TStrGridPrinter::MillimetresToX(double millimetres) const {
    return static_cast<int>(std::nearbyint(millimetres * 0.03937007874 * PrinterDpiX));
}

__attribute__((weak)) int TStrGridPrinter::MillimetresToY(double millimetres) const {
    return static_cast<int>(std::nearbyint(millimetres * 0.03937007874 * PrinterDpiY));
}

__attribute__((weak)) void TStrGridPrinter::Layout(int printerDpiX, int printerDpiY, int pageWidth,
                                                   int pageHeight) {
    PrinterDpiX = printerDpiX;
    PrinterDpiY = printerDpiY;
    RatioX = static_cast<double>(printerDpiX) / ScreenDpiX;
    RatioY = static_cast<double>(printerDpiY) / ScreenDpiY;
    LeftMarginDots = MillimetresToX(LeftMargin);
    RightMarginDots = MillimetresToX(RightMargin);
    TopMarginDots = MillimetresToY(TopMargin);
    BottomMarginDots = MillimetresToY(BottomMargin);
    PrintableWidth = pageWidth - LeftMarginDots - RightMarginDots;
    PrintableHeight = pageHeight - TopMarginDots - BottomMarginDots;
    RowPageStarts = {0};
    ColumnPageStarts = {0};
}

__attribute__((weak)) void TStrGridPrinter::Print(QPagedPaintDevice& device) {
    if (TargetGrid == nullptr)
        return;
    Layout(device.logicalDpiX(), device.logicalDpiY(), device.width(), device.height());
    QPainter painter;
    if (!painter.begin(&device))
        return;
    Canvas = &painter;
    CurrentColumnPage = 1;
    CurrentRowPage = 1;
    PageNumber = 1;
    painter.setFont(QFont(Font, &device));
    if (OnBeginPage)
        OnBeginPage(*this);
    TableBottom = TopMarginDots;
    if (OnEndPage)
        OnEndPage(*this);
    painter.end();
    Canvas = nullptr;
}

}  // namespace kestrune
