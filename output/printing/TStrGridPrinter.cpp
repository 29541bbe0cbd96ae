#include "output/printing/TStrGridPrinter.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <exception>

#include "core/Error.h"
#include "core/TextGrid.h"
#include "output/printing/PrintDots.h"

namespace kestrune {

namespace {

// The first index of each page for items of the given printed sizes. An item that alone
// exceeds the space still gets a page of its own rather than leaving an empty page before it.
std::vector<int> pageStarts(const std::vector<int>& printedSizes, int available) {
    std::vector<int> starts{0};
    int used = 0;
    for (int i = 0; i < static_cast<int>(printedSizes.size()); ++i) {
        const int size = printedSizes[i];
        if (used > 0 && used + size > available) {
            starts.push_back(i);
            used = size;
        } else {
            used += size;
        }
    }
    return starts;
}

// The items [first, last) of page `page` (from 1).
std::pair<int, int> pageRange(const std::vector<int>& starts, int page, int count) {
    const int first = starts[page - 1];
    const int last = page < static_cast<int>(starts.size()) ? starts[page] : count;
    return {first, last};
}

// The grid's font at the same point size on the printer: QPainter scales a point size by the
// device's resolution, while a pixel size would stay in dots and print far too small.
QFont printerFont(const QFont& screenFont, int screenDpiY) {
    QFont font = screenFont;
    if (font.pointSizeF() <= 0 && font.pixelSize() > 0)
        font.setPointSizeF(font.pixelSize() * 72.0 / screenDpiY);
    return font;
}

}  // namespace

int TStrGridPrinter::MillimetresToX(double millimetres) const {
    return millimetresToDots(millimetres, PrinterDpiX);
}

int TStrGridPrinter::MillimetresToY(double millimetres) const {
    return millimetresToDots(millimetres, PrinterDpiY);
}

void TStrGridPrinter::Layout(int printerDpiX, int printerDpiY, int pageWidth, int pageHeight) {
    PrinterDpiX = printerDpiX;
    PrinterDpiY = printerDpiY;
    RatioX = static_cast<double>(printerDpiX) / std::max(1, ScreenDpiX);
    RatioY = static_cast<double>(printerDpiY) / std::max(1, ScreenDpiY);
    LeftMarginDots = MillimetresToX(LeftMargin);
    RightMarginDots = MillimetresToX(RightMargin);
    TopMarginDots = MillimetresToY(TopMargin);
    BottomMarginDots = MillimetresToY(BottomMargin);
    PrintableWidth = pageWidth - LeftMarginDots - RightMarginDots;
    PrintableHeight = pageHeight - TopMarginDots - BottomMarginDots;
    if (TargetGrid == nullptr) {
        RowPageStarts.clear();
        ColumnPageStarts.clear();
        return;
    }
    std::vector<int> heights(TargetGrid->rowCount());
    for (int row = 0; row < TargetGrid->rowCount(); ++row)
        heights[row] = nearestDot(TargetGrid->rowHeight(row) * RatioY);
    std::vector<int> widths(TargetGrid->columnCount());
    for (int column = 0; column < TargetGrid->columnCount(); ++column)
        widths[column] = nearestDot(TargetGrid->columnWidth(column) * RatioX);
    RowPageStarts = pageStarts(heights, PrintableHeight);
    ColumnPageStarts = pageStarts(widths, PrintableWidth);
}

void TStrGridPrinter::Print(QPagedPaintDevice& device) {
    PagesCutShort = 0;
    StoppedEarly = false;
    PageNumber = 0;
    if (TargetGrid == nullptr)
        return;
    Layout(device.logicalDpiX(), device.logicalDpiY(), device.width(), device.height());

    QPainter painter;
    if (!painter.begin(&device))
        throw UserError(kCannotStartPrinting);
    Canvas = &painter;
    struct CanvasReset {
        QPainter*& canvas;
        ~CanvasReset() { canvas = nullptr; }
    } canvasReset{Canvas};
    const int columnPages = static_cast<int>(ColumnPageStarts.size());
    const int rowPages = static_cast<int>(RowPageStarts.size());
    for (int columnPage = 1; columnPage <= columnPages && !StoppedEarly; ++columnPage) {
        for (int rowPage = 1; rowPage <= rowPages; ++rowPage) {
            if (PageNumber > 0 && !device.newPage()) {
                StoppedEarly = true;
                break;
            }
            try {
                DrawPage(columnPage, rowPage);
            } catch (const std::exception&) {
                ++PagesCutShort;  // the page stays as far as it got; the next one starts afresh
            }
        }
    }
    painter.end();
}

void TStrGridPrinter::PrepareCanvas() {
    // Header and footer handlers may leave anything behind; the table is drawn in plain dots.
    Canvas->resetTransform();
    Canvas->setClipping(false);
    Canvas->setOpacity(1.0);
    Canvas->setBackgroundMode(Qt::TransparentMode);
    Canvas->setPen(QPen(Qt::black));
    Canvas->setBrush(Qt::NoBrush);
    Canvas->setFont(printerFont(Font, std::max(1, ScreenDpiY)));
}

void TStrGridPrinter::DrawPage(int columnPage, int rowPage) {
    CurrentColumnPage = columnPage;
    CurrentRowPage = rowPage;
    ++PageNumber;
    PrepareCanvas();
    if (OnBeginPage)
        OnBeginPage(*this);
    PrepareCanvas();

    const TextGrid& grid = *TargetGrid;
    const auto [firstRow, endRow] = pageRange(RowPageStarts, rowPage, grid.rowCount());
    const auto [firstColumn, endColumn] = pageRange(ColumnPageStarts, columnPage, grid.columnCount());
    const int textDx = nearestDot(MojiLeft * RatioX);
    const int textDy = nearestDot(MojiTop * RatioY);
    const int ascent = Canvas->fontMetrics().ascent();

    double y = TopMarginDots;
    for (int row = firstRow; row < endRow; ++row) {
        double x = LeftMarginDots;
        const double height = grid.rowHeight(row) * RatioY;
        for (int column = firstColumn; column < endColumn; ++column) {
            const double width = grid.columnWidth(column) * RatioX;
            const int left = nearestDot(x);
            const int top = nearestDot(y);
            // Right and bottom edges lie just outside the cell, as the printer driver's rectangles do.
            const int cellRight = left + nearestDot(width);
            const int cellBottom = nearestDot(y + height);
            const int frameRight = nearestDot(x + width + 1);
            const int frameBottom = nearestDot(y + height + 1);
            const QRect cell(left, top, cellRight - left, cellBottom - top);
            // The frame is one dot larger than the cell, so its right and bottom lines fall on the
            // left and top lines of the neighbours.
            const QRect frame(QPoint(left, top), QPoint(frameRight - 1, frameBottom - 1));

            const std::string& text = grid.cell(column, row);
            if (!text.empty()) {
                Canvas->setClipRect(cell);
                Canvas->drawText(QPoint(left + textDx, top + textDy + ascent), QString::fromStdString(text));
                Canvas->setClipping(false);
            }
            // A stroked QRect covers one dot more than its size in each direction.
            Canvas->drawRect(frame.adjusted(0, 0, -1, -1));
            if (OnDrawCell)
                OnDrawCell(column, row, cell, frame);
            x += width;
        }
        y += height;
    }
    TableBottom = nearestDot(y);

    if (OnEndPage)
        OnEndPage(*this);
}

}  // namespace kestrune
