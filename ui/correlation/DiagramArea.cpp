#include "ui/correlation/DiagramArea.h"

#include <QPainter>

#include "core/Picture.h"
#include "output/figure/QPainterCanvas.h"

namespace kestrune {

namespace {
const QString kDiagramAreaName = QStringLiteral("相関図");
}

DiagramArea::DiagramArea(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("diagramArea"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setMinimumSize(200, 200);
    setAccessibleName(kDiagramAreaName);
}

void DiagramArea::showPicture(const Picture* picture) {
    picture_ = picture;
    text_.clear();
    setAccessibleName(kDiagramAreaName);
    update();
}

void DiagramArea::showText(const QString& text) {
    picture_ = nullptr;
    text_ = text;
    setAccessibleName(text.isEmpty() ? kDiagramAreaName : text);
    update();
}

void DiagramArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (picture_ != nullptr) {
        renderPicture(*picture_, painter, QRectF(rect()));
        return;
    }
    if (!text_.isEmpty()) {
        painter.setPen(Qt::black);
        painter.drawText(rect(), Qt::AlignCenter, text_);
    }
}

}  // namespace kestrune
