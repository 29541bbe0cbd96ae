#include "output/figure/QPainterCanvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>

namespace kestrune {

namespace {

QColor qtColor(Color color) {
    return QColor(color.red, color.green, color.blue);
}

QPointF qtPoint(Point point) {
    return QPointF(point.x, point.y);
}

QPolygonF qtPolygon(const std::vector<Point>& points) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (Point point : points)
        polygon << qtPoint(point);
    return polygon;
}

QRectF qtRect(Point topLeft, Point bottomRight) {
    return QRectF(qtPoint(topLeft), qtPoint(bottomRight)).normalized();
}

}  // namespace

QString installedFace(const std::string& face) {
    if (face == "ＭＳ ゴシック")
        return QStringLiteral("IPAGothic");
    if (face == "ＭＳ Ｐゴシック")
        return QStringLiteral("IPAPGothic");
    if (face == "Arial")
        return QStringLiteral("Liberation Sans");
    return QString::fromStdString(face);
}

QFont qtFont(const Font& font) {
    QFont result(installedFace(font.face));
    // Japanese text in a Latin face falls back to the gothic, as the platform's font linking does.
    result.setFamilies({installedFace(font.face), QStringLiteral("IPAPGothic")});
    result.setPixelSize(std::max(1, font.height()));
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setKerning(false);
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

QPainterCanvas::QPainterCanvas(QPainter& painter)
    : painter_(painter), textColor_(Qt::black), textBackground_(Qt::white) {
    setPen(Pen{});
    setBrush(Brush{});
    setFont(Font{});
}

void QPainterCanvas::setPen(const Pen& pen) {
    QPen qtPen(qtColor(pen.color));
    // Width 0 draws the thinnest line the device has, as it does on a GDI canvas.
    qtPen.setWidthF(pen.width);
    qtPen.setCapStyle(Qt::RoundCap);
    qtPen.setJoinStyle(Qt::RoundJoin);
    painter_.setPen(qtPen);
}

void QPainterCanvas::setBrush(const Brush& brush) {
    if (brush.hollow) {
        painter_.setBrush(Qt::NoBrush);
    } else {
        painter_.setBrush(qtColor(brush.color));
    }
}

void QPainterCanvas::setFont(const Font& font) {
    painter_.setFont(qtFont(font));
    textColor_ = qtColor(font.color);
}

void QPainterCanvas::setTextBackground(bool opaque, Color background) {
    opaqueText_ = opaque;
    textBackground_ = qtColor(background);
}

void QPainterCanvas::line(Point from, Point to) {
    painter_.drawLine(qtPoint(from), qtPoint(to));
}

void QPainterCanvas::polyline(const std::vector<Point>& points) {
    painter_.drawPolyline(qtPolygon(points));
}

void QPainterCanvas::polygon(const std::vector<Point>& points) {
    painter_.drawPolygon(qtPolygon(points));
}

void QPainterCanvas::ellipse(Point topLeft, Point bottomRight) {
    painter_.drawEllipse(qtRect(topLeft, bottomRight));
}

void QPainterCanvas::rectangle(Point topLeft, Point bottomRight) {
    painter_.drawRect(qtRect(topLeft, bottomRight));
}

void QPainterCanvas::text(Point topLeft, const std::string& utf8) {
    const QString text = QString::fromStdString(utf8);
    const QFontMetricsF metrics(painter_.font());
    if (opaqueText_) {
        // The text's cell, as wide as the text and as high as the font's ascent plus descent.
        painter_.fillRect(QRectF(topLeft.x, topLeft.y, metrics.horizontalAdvance(text),
                                 metrics.ascent() + metrics.descent()),
                          textBackground_);
    }
    const QPen pen = painter_.pen();
    painter_.setPen(textColor_);
    painter_.drawText(QPointF(topLeft.x, topLeft.y + metrics.ascent()), text);
    painter_.setPen(pen);
}

int QPainterCanvas::textWidth(const std::string& utf8) {
    const QFontMetricsF metrics(painter_.font());
    return static_cast<int>(metrics.horizontalAdvance(QString::fromStdString(utf8)) + 0.5);
}

void renderPicture(const Picture& picture, QPainter& painter, const QRectF& target) {
    if (picture.width() <= 0 || picture.height() <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.translate(target.topLeft());
    painter.scale(target.width() / picture.width(), target.height() / picture.height());
    QPainterCanvas canvas(painter);
    picture.replay(canvas);
    painter.restore();
}

}  // namespace kestrune
