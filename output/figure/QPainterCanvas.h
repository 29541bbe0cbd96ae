#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <string>

#include "core/Canvas.h"
#include "core/Picture.h"

class QPainter;

namespace kestrune {

// The installed face that stands in for a face a figure names: the Japanese gothics map to
// the IPA fonts, Arial to its metric twin; other names pass through.
QString installedFace(const std::string& face);

// A Qt font for a canvas font, sized in logical units (pixels of the painter's current
// coordinate system) so that it scales with the transform instead of the device's dpi.
QFont qtFont(const Font& font);

// Draws canvas calls onto a painter in the painter's current coordinate system, whatever
// the device: a widget, a bitmap, an SVG or PDF generator or a printer page.
class QPainterCanvas : public Canvas {
  public:
    explicit QPainterCanvas(QPainter& painter);

    void setPen(const Pen& pen) override;
    void setBrush(const Brush& brush) override;
    void setFont(const Font& font) override;
    void setTextBackground(bool opaque, Color background = kWhite) override;

    void line(Point from, Point to) override;
    void polyline(const std::vector<Point>& points) override;
    void polygon(const std::vector<Point>& points) override;
    void ellipse(Point topLeft, Point bottomRight) override;
    void rectangle(Point topLeft, Point bottomRight) override;
    void text(Point topLeft, const std::string& utf8) override;

    int textWidth(const std::string& utf8) override;

  private:
    QPainter& painter_;
    QColor textColor_;
    bool opaqueText_ = true;
    QColor textBackground_;
};

// Replays a picture into a rectangle of the painter, its logical size stretched to fill it.
// The painter's state is restored afterwards.
void renderPicture(const Picture& picture, QPainter& painter, const QRectF& target);

}  // namespace kestrune
