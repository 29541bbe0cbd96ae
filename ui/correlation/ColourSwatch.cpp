#include "ui/correlation/ColourSwatch.h"

#include <QMouseEvent>

namespace kestrune {

ColourSwatch::ColourSwatch(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("colourSwatch"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    setMinimumSize(40, 22);
    setColour(Qt::red);
}

void ColourSwatch::setColour(const QColor& colour) {
    colour_ = colour;
    QPalette filled = palette();
    filled.setColor(QPalette::Window, colour);
    setPalette(filled);
    setAccessibleName(QStringLiteral("色 ") + colour.name());
    update();
}

void ColourSwatch::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    emit doubleClicked();
}

}  // namespace kestrune
