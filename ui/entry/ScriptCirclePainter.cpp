#include "ui/entry/ScriptCirclePainter.h"

#include <QPainter>

#include "entry/TScriptCircle.h"
#include "output/figure/QPainterCanvas.h"

namespace kestrune {

void paintScriptCircle(QPainter& painter, const TScriptCircle& circle, UniformRandom& random) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // A windowless control draws only inside its own bounds: the board invalidates no more
    // than those when the mark changes, so anything drawn beyond them would stay behind.
    painter.setClipRect(QRect(circle.Left, circle.Top, circle.Width, circle.Height), Qt::IntersectClip);
    // The mark's coordinates name whole pixels, while a smoothed painter takes whole numbers
    // for pixel corners: move to the pixel centres, or a ring touching the left or top edge
    // would lie half a pixel outside the circle.
    painter.translate(circle.Left + 0.5, circle.Top + 0.5);
    QPainterCanvas canvas(painter);
    circle.Paint(canvas, random);
    painter.restore();
}

}  // namespace kestrune
