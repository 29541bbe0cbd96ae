#pragma once

#include <functional>
#include <vector>

#include "core/Canvas.h"
#include "entry/UniformRandom.h"

namespace kestrune {

enum class MouseButton { Left, Right, Middle };

// The answer circle: a windowless control that draws on its parent's surface. It shows a
// small dot while unmarked and a hand-drawn ring while marked (`Status`).
class TScriptCircle {
  public:
    using TSCChangeEvent = std::function<void(TScriptCircle& sender)>;
    using TNotifyEvent = std::function<void(TScriptCircle& sender)>;
    using TMouseEvent = std::function<void(TScriptCircle& sender, MouseButton button, int x, int y)>;
    using TMouseMoveEvent = std::function<void(TScriptCircle& sender, int x, int y)>;

    static constexpr int kDefaultSize = 20;

    bool Status() const { return status_; }
    // Stores a new value, raises OnChange and asks for a repaint; the same value does nothing.
    void SetStatus(bool value);

    // The base click (raising OnClick), then the inversion of Status, whatever OnClick did.
    void Click();
    void DblClick();
    void MouseDown(MouseButton button, int x, int y);
    void MouseMove(int x, int y);
    void MouseUp(MouseButton button, int x, int y);

    // Draws in the circle's own coordinates (0,0 at its top-left corner).
    void Paint(Canvas& canvas, UniformRandom& random) const;

    // Position on the parent and size, in the parent's pixels.
    int Left = 0;
    int Top = 0;
    int Width = kDefaultSize;
    int Height = kDefaultSize;
    bool Visible = true;
    int Tag = 0;

    bool contains(int x, int y) const {
        return x >= Left && x < Left + Width && y >= Top && y < Top + Height;
    }

    TSCChangeEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    // The parent's surface: asked to repaint the circle's rectangle.
    std::function<void(TScriptCircle& sender)> Invalidate;

  private:
    void changed();

    bool status_ = false;
};

// The 20 points of a hand-drawn ring for a control of the given size: radii of 40 to 50 per
// cent of the size, a start just past the top and a clockwise run leaving a small gap, each
// point a little off the ideal ellipse. Draws 3 + 2·20 numbers from the source.
std::vector<Point> handDrawnMarkPoints(int width, int height, UniformRandom& random);

}  // namespace kestrune
