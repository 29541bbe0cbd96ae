#include "ui/figures/FigureView.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

#include "core/Picture.h"
#include "output/figure/QPainterCanvas.h"

namespace kestrune {

namespace {

// A plain widget is announced as a nameless "client"; a figure is an image.
QAccessibleInterface* figureAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String(FigureView::staticMetaObject.className()) || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
}

void installFigureAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(figureAccessible);
        return true;
    }();
    (void)installed;
}

}  // namespace

FigureView::FigureView(const Picture& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    installFigureAccessible();
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(100, 100);
}

void FigureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    renderPicture(picture_, painter, QRectF(rect()));
}

}  // namespace kestrune
