#pragma once

class QPrinter;

namespace kestrune {

class Picture;

// Print margins in millimetres, each 0 to 100.
struct FigureMargins {
    int top = 20;
    int left = 20;
    int bottom = 20;
    int right = 20;
    bool operator==(const FigureMargins&) const = default;
};

// The number line is printed with fixed margins.
inline constexpr FigureMargins kNumberLineMargins{10, 10, 10, 10};

// The square a figure is printed into, in printer dots from the printable area's origin.
struct PrintSquare {
    int left = 0;
    int top = 0;
    int side = 0;
    bool operator==(const PrintSquare&) const = default;
};

inline constexpr const char* kNoPrintableSquare = "余白が大きすぎるため、図を印刷する範囲がありません。";

// The margins converted to dots (halves rounded to even), and the largest square inside them
// placed at the top-left margin corner; the spare width or height stays right or below.
// Margins that leave no square throw UserError.
PrintSquare printSquare(const FigureMargins& margins, int dotsPerInchX, int dotsPerInchY, int pageWidth,
                        int pageHeight);

// Prints the picture as one page of one job, stretched to its square.
void printFigure(const Picture& picture, QPrinter& printer, const FigureMargins& margins);

}  // namespace kestrune
