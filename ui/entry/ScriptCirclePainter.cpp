#include "ui/entry/ScriptCirclePainter.h"

#include <QPainter>

#include "entry/TScriptCircle.h"
#include "output/figure/QPainterCanvas.h"

namespace kestrune {

void paintScriptCircle(QPainter& painter, const TScriptCircle& circle, UniformRandom& random) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(circle.Left, circle.Top);
    QPainterCanvas canvas(painter);
    circle.Paint(canvas, random);
    painter.restore();
}

}  // namespace kestrune
