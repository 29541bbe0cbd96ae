#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrune {

// What every figure, answer mark and printed page is drawn with. Coordinates are logical
// units (a picture is 1000 × 1000, x to the right, y downwards); text positions are the
// text's top-left corner.
struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Color&) const = default;
};
inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kRed{255, 0, 0};
inline constexpr Color kNavy{0, 0, 128};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Pen {
    Color color = kBlack;
    int width = 1;
    bool operator==(const Pen&) const = default;
};

struct Brush {
    Color color = kWhite;
    bool hollow = false;  // a transparent brush: shapes are outlined only
    bool operator==(const Brush&) const = default;
};

// A font by face name ("ＭＳ ゴシック", "ＭＳ Ｐゴシック", "Arial") and size in points. `height` is
// the character height in logical units on the picture's reference device (points × 96 / 72,
// rounded), which is what writers and renderers size the text by.
struct Font {
    std::string face = "Arial";
    int pointSize = 10;
    bool bold = false;
    bool italic = false;
    Color color = kBlack;
    int height() const { return (pointSize * 96 + 36) / 72; }
    bool operator==(const Font&) const = default;
};

// A drawing surface in the style of a GDI canvas: a current pen, brush, font and text
// background, and drawing calls that use them.
class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual void setPen(const Pen& pen) = 0;
    virtual void setBrush(const Brush& brush) = 0;
    virtual void setFont(const Font& font) = 0;
    // Text drawn opaque paints its cell with `background` first; transparent leaves it.
    virtual void setTextBackground(bool opaque, Color background = kWhite) = 0;

    virtual void line(Point from, Point to) = 0;
    virtual void polyline(const std::vector<Point>& points) = 0;
    virtual void polygon(const std::vector<Point>& points) = 0;    // closed, filled
    virtual void ellipse(Point topLeft, Point bottomRight) = 0;    // filled by the brush
    virtual void rectangle(Point topLeft, Point bottomRight) = 0;  // filled by the brush
    virtual void text(Point topLeft, const std::string& utf8) = 0;

    // The width of a text in logical units in the current font, for layouts that need it.
    virtual int textWidth(const std::string& utf8) = 0;
};

}  // namespace kestrune
