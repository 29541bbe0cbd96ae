#pragma once

#include <string>
#include <variant>
#include <vector>

#include "core/Canvas.h"

namespace kestrune {

// A recorded vector picture: the drawing operations in order, each with the pen, brush, font
// and text background in force when it was drawn. Writers (.emf) and renderers (QPainter)
// replay it; tests assert on it.
struct DrawState {
    Pen pen;
    Brush brush;
    Font font;
    bool opaqueText = true;
    Color textBackground = kWhite;
    bool operator==(const DrawState&) const = default;
};

struct LineOp {
    Point from, to;
};
struct PolylineOp {
    std::vector<Point> points;
};
struct PolygonOp {
    std::vector<Point> points;
};
struct EllipseOp {
    Point topLeft, bottomRight;
};
struct RectangleOp {
    Point topLeft, bottomRight;
};
struct TextOp {
    Point topLeft;
    std::string text;  // UTF-8
};

using DrawShape = std::variant<LineOp, PolylineOp, PolygonOp, EllipseOp, RectangleOp, TextOp>;

struct DrawOp {
    DrawShape shape;
    DrawState state;
};

class Picture : public Canvas {
  public:
    explicit Picture(int width = 1000, int height = 1000) : width_(width), height_(height) {}

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<DrawOp>& operations() const { return operations_; }
    bool empty() const { return operations_.empty(); }
    void clear() {
        operations_.clear();
        state_ = {};
    }
    const DrawState& currentState() const { return state_; }

    void setPen(const Pen& pen) override { state_.pen = pen; }
    void setBrush(const Brush& brush) override { state_.brush = brush; }
    void setFont(const Font& font) override { state_.font = font; }
    void setTextBackground(bool opaque, Color background = kWhite) override {
        state_.opaqueText = opaque;
        state_.textBackground = background;
    }

    void line(Point from, Point to) override { record(LineOp{from, to}); }
    void polyline(const std::vector<Point>& points) override { record(PolylineOp{points}); }
    void polygon(const std::vector<Point>& points) override { record(PolygonOp{points}); }
    void ellipse(Point topLeft, Point bottomRight) override { record(EllipseOp{topLeft, bottomRight}); }
    void rectangle(Point topLeft, Point bottomRight) override { record(RectangleOp{topLeft, bottomRight}); }
    void text(Point topLeft, const std::string& utf8) override { record(TextOp{topLeft, utf8}); }

    // Without a real font at hand: half the height per CP932 byte, as a fixed-pitch face
    // would measure it.
    int textWidth(const std::string& utf8) override;

    // Replays every operation onto another canvas.
    void replay(Canvas& target) const;

  private:
    void record(DrawShape shape) { operations_.push_back({std::move(shape), state_}); }

    int width_;
    int height_;
    DrawState state_;
    std::vector<DrawOp> operations_;
};

}  // namespace kestrune
