#include "core/Picture.h"

#include "core/Cp932.h"

namespace kestrune {

int Picture::textWidth(const std::string& utf8) {
    return static_cast<int>(cp932Length(utf8)) * state_.font.height() / 2;
}

void Picture::replay(Canvas& target) const {
    DrawState applied;
    bool first = true;
    for (const DrawOp& op : operations_) {
        if (first || !(op.state.pen == applied.pen))
            target.setPen(op.state.pen);
        if (first || !(op.state.brush == applied.brush))
            target.setBrush(op.state.brush);
        if (first || !(op.state.font == applied.font))
            target.setFont(op.state.font);
        if (first || op.state.opaqueText != applied.opaqueText ||
            !(op.state.textBackground == applied.textBackground)) {
            target.setTextBackground(op.state.opaqueText, op.state.textBackground);
        }
        applied = op.state;
        first = false;
        std::visit(
            [&target](const auto& shape) {
                using T = std::decay_t<decltype(shape)>;
                if constexpr (std::is_same_v<T, LineOp>)
                    target.line(shape.from, shape.to);
                else if constexpr (std::is_same_v<T, PolylineOp>)
                    target.polyline(shape.points);
                else if constexpr (std::is_same_v<T, PolygonOp>)
                    target.polygon(shape.points);
                else if constexpr (std::is_same_v<T, EllipseOp>)
                    target.ellipse(shape.topLeft, shape.bottomRight);
                else if constexpr (std::is_same_v<T, RectangleOp>)
                    target.rectangle(shape.topLeft, shape.bottomRight);
                else
                    target.text(shape.topLeft, shape.text);
            },
            op.shape);
    }
}

}  // namespace kestrune
