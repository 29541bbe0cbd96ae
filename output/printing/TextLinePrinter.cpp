#include "output/printing/TextLinePrinter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QStringList>
#include <algorithm>

#include "core/Error.h"
#include "output/printing/PrintDots.h"

namespace kestrune {

namespace {

// Tab stops every eight digits, so the columns of counts line up as in a text editor.
constexpr int kDigitsPerTabStop = 8;

// The part of the page lines go on, in dots from the device's origin.
QRect textArea(const QPagedPaintDevice& device) {
    const int left = millimetresToDots(kTextLineMargin, device.logicalDpiX());
    const int top = millimetresToDots(kTextLineMargin, device.logicalDpiY());
    return QRect(left, top, std::max(1, device.width() - 2 * left), std::max(1, device.height() - 2 * top));
}

int linesPerPage(const QRect& area, const QFontMetrics& metrics) {
    return std::max(1, area.height() / std::max(1, metrics.lineSpacing()));
}

// Draws one line with its top at `top`, each field after a TAB starting at the next tab stop.
// The stops are placed here rather than by Qt's text layout, which measures them in screen
// pixels and spreads them several times too far apart on a printer.
void drawTabbedLine(QPainter& painter, const QString& line, int left, int top, int tabStop) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int baseline = top + metrics.ascent();
    int x = 0;
    const QStringList fields = line.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            x = (x / tabStop + 1) * tabStop;
        painter.drawText(QPoint(left + x, baseline), fields[i]);
        x += metrics.horizontalAdvance(fields[i]);
    }
}

}  // namespace

int textLinesPerPage(QPagedPaintDevice& device) {
    // The default font resolved for this device, as the painter of printTextLines has it.
    return linesPerPage(textArea(device), QFontMetrics(QFont(), &device));
}

void printTextLines(QPagedPaintDevice& device, const std::vector<std::string>& lines) {
    if (lines.empty())
        return;
    QPainter painter;
    if (!painter.begin(&device))
        throw UserError(kCannotStartPrinting);
    painter.setFont(QFont());
    const QRect area = textArea(device);
    const QFontMetrics metrics = painter.fontMetrics();
    const int lineSpacing = metrics.lineSpacing();
    const int perPage = linesPerPage(area, metrics);
    const int tabStop = std::max(1, kDigitsPerTabStop * metrics.horizontalAdvance(QLatin1Char('0')));

    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineOnPage = static_cast<int>(i % perPage);
        if (lineOnPage == 0) {
            if (i > 0 && !device.newPage())
                throw UserError(kCannotContinuePrinting);
            painter.setClipRect(area);
        }
        drawTabbedLine(painter, QString::fromStdString(lines[i]), area.left(),
                       area.top() + lineOnPage * lineSpacing, tabStop);
    }
    painter.end();
}

}  // namespace kestrune
