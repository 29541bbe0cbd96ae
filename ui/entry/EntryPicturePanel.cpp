#include "ui/entry/EntryPicturePanel.h"

#include <QPainter>

#include "ui/common/Prompter.h"

namespace kestrune {

EntryPicturePanel::EntryPicturePanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picturePanel"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0, 0, 128));
    setPalette(colours);
}

void EntryPicturePanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRect area = rect();
    // A sheet of paper with a few rows of A and B circles, one of each row ringed.
    const int sheetWidth = std::min(220, area.width() - 40);
    const int sheetHeight = std::min(280, area.height() - 80);
    if (sheetWidth > 40 && sheetHeight > 40) {
        const QRect sheet(area.center().x() - sheetWidth / 2, area.center().y() - sheetHeight / 2 - 20,
                          sheetWidth, sheetHeight);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(245, 245, 235));
        painter.drawRect(sheet);
        const int rows = std::max(1, (sheetHeight - 40) / 28);
        for (int row = 0; row < rows; ++row) {
            const int y = sheet.top() + 30 + row * 28;
            painter.setPen(QPen(QColor(150, 150, 150), 3));
            painter.drawLine(sheet.left() + 20, y, sheet.left() + sheetWidth / 2 - 10, y);
            const int ax = sheet.left() + sheetWidth / 2 + 20;
            const int bx = sheet.right() - 30;
            painter.setPen(QPen(Qt::black, 2));
            painter.drawPoint(ax, y);
            painter.drawPoint(bx, y);
            painter.setPen(QPen(QColor(0, 0, 128), 1.5));
            painter.setBrush(Qt::NoBrush);
            painter.drawArc(QRect((row % 2 ? bx : ax) - 9, y - 9, 18, 18), 80 * 16, -330 * 16);
        }
    }
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(area.adjusted(0, 0, 0, -16), Qt::AlignHCenter | Qt::AlignBottom, applicationTitle());
}

}  // namespace kestrune
