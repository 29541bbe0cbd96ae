#include "entry/TScriptCircle.h"

#include <cmath>
#include <numbers>

namespace kestrune {

void TScriptCircle::SetStatus(bool value) {
    if (value == status_)
        return;
    status_ = value;
    changed();
}

void TScriptCircle::changed() {
    if (OnChange)
        OnChange(*this);
    if (Invalidate)
        Invalidate(*this);
}

void TScriptCircle::Click() {
    if (OnClick)
        OnClick(*this);
    status_ = !status_;
    changed();
}

void TScriptCircle::DblClick() {
    if (OnDblClick)
        OnDblClick(*this);
}

void TScriptCircle::MouseDown(MouseButton button, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(*this, button, x, y);
}

void TScriptCircle::MouseMove(int x, int y) {
    if (OnMouseMove)
        OnMouseMove(*this, x, y);
}

void TScriptCircle::MouseUp(MouseButton button, int x, int y) {
    if (OnMouseUp)
        OnMouseUp(*this, button, x, y);
}

std::vector<Point> handDrawnMarkPoints(int width, int height, UniformRandom& random) {
    constexpr double pi = std::numbers::pi;
    const int cx = width / 2;
    const int cy = height / 2;
    // The radii and the start offset are kept in single precision, as the mark always was.
    const float ry = static_cast<float>((0.1 * random.next() + 0.4) * height);
    const float rx = static_cast<float>((0.1 * random.next() + 0.4) * width);
    const float a0 = static_cast<float>(random.next() * pi / 36);
    std::vector<Point> points;
    points.reserve(20);
    for (int k = 0; k < 20; ++k) {
        const double t = (pi - a0) * 0.1 * k + 2.0 * a0;
        const double horizontal = 0.05 * random.next() + 0.95;
        const double vertical = 0.05 * random.next() + 0.95;
        points.push_back({cx + static_cast<int>(std::trunc(std::sin(t) * horizontal * rx)),
                          cy - static_cast<int>(std::trunc(std::cos(t) * vertical * ry))});
    }
    return points;
}

void TScriptCircle::Paint(Canvas& canvas, UniformRandom& random) const {
    const int cx = Width / 2;
    const int cy = Height / 2;
    canvas.setPen({kBlack, 2});
    canvas.setBrush({kBlack});
    canvas.ellipse({cx - 1, cy - 1}, {cx + 1, cy + 1});
    if (!status_)
        return;
    canvas.setPen({kNavy, 1});
    canvas.setBrush({kWhite, true});
    canvas.polyline(handDrawnMarkPoints(Width, Height, random));
}

}  // namespace kestrune
