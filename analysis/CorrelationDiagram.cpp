#include "analysis/CorrelationDiagram.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "analysis/DiagramLoaders.h"
#include "core/Cp932.h"
#include "core/Numbers.h"

namespace kestrune {

namespace {

// Every picture coordinate is formed as a real number and truncated toward zero.
int truncated(double value) {
    return static_cast<int>(value);
}

constexpr int kPlotLeft = 100;
constexpr int kPlotTop = 50;
constexpr int kPlotSize = 850;
constexpr int kPlotBottom = kPlotTop + kPlotSize;
constexpr int kPlotRight = kPlotLeft + kPlotSize;

const Font kLabelFont{"Arial", 16, true, true};
const Font kTitleFont{"ＭＳ Ｐゴシック", 24};
const Font kSeriesFont{"ＭＳ Ｐゴシック", 16};

// The fixed symmetric ranges of a standardised score axis.
void applyImageRange(DiagramAxisRange& range) {
    if (range.min > -3 && range.max < 3) {
        range.min = -3, range.max = 3, range.span = 6;
    } else if (range.min > -5 && range.max < 5) {
        range.min = -5, range.max = 5, range.span = 10;
    } else if (range.min > -10 && range.max < 10) {
        range.min = -10, range.max = 10, range.span = 20;
    }
}

void drawExponentLabel(Canvas& canvas, double value, int x, int y) {
    const ExponentLabel label = exponentLabel(value);
    canvas.text({x, y}, label.base);
    const int h16 = kLabelFont.height();
    canvas.text({x + truncated(static_cast<double>(label.base.size()) * h16 / 2) + 5, y - 5}, label.exponent);
}

void drawHorizontalAxis(Canvas& canvas, const DiagramAxisRange& x) {
    const int tx = x.divisions;
    if (x.logarithmic) {
        drawExponentLabel(canvas, std::pow(10.0, x.min), 60, 920);
    } else {
        canvas.text({85, 920}, twoDecimalsText(x.min));
    }
    for (int a = 1; a <= tx; ++a) {
        const int tick = truncated(a * 850.0 / tx + 100);
        canvas.line({tick, 880}, {tick, kPlotBottom});
        if (x.logarithmic) {
            drawExponentLabel(canvas, std::pow(10.0, a * x.span / tx + x.min), truncated(a * 850.0 / tx + 60),
                              920);
            for (int i = 2; i <= 9; ++i) {
                const int minor = truncated(((a - 1) + std::log10(i)) * 850 / tx + 100);
                canvas.line({minor, 890}, {minor, kPlotBottom});
            }
        } else {
            canvas.text({truncated(a * 850.0 / tx + 75), 920}, twoDecimalsText(x.span / tx * a + x.min));
        }
    }
}

void drawVerticalAxis(Canvas& canvas, const DiagramAxisRange& y) {
    const int ty = y.divisions;
    for (int a = 1; a <= ty; ++a) {
        const int tick = truncated((a - 1) * 850.0 / ty + 50);
        canvas.line({kPlotLeft, tick}, {120, tick});
        if (y.logarithmic) {
            drawExponentLabel(canvas, std::pow(10.0, y.max - (a - 1) * y.span / ty), 5, tick);
            for (int i = 2; i <= 9; ++i) {
                const int minor = truncated((a - std::log10(i)) * 850 / ty + 50);
                canvas.line({kPlotLeft, minor}, {110, minor});
            }
        } else {
            canvas.text({10, tick}, twoDecimalsText(y.max - y.span / ty * (a - 1)));
        }
    }
    if (y.logarithmic) {
        drawExponentLabel(canvas, std::pow(10.0, y.min), 5, 895);
    } else {
        canvas.text({10, 895}, twoDecimalsText(y.min));
    }
}

void drawMarker(Canvas& canvas, int shape, double px, double py) {
    const Point topLeft{truncated(px - 10), truncated(py - 10)};
    const Point bottomRight{truncated(px + 10), truncated(py + 10)};
    if (shape == kDiagramCircle) {
        canvas.ellipse(topLeft, bottomRight);
    } else if (shape == kDiagramSquare) {
        canvas.rectangle(topLeft, bottomRight);
    } else if (const std::vector<Point> outline = diagramMarkerPolygon(shape, px, py); !outline.empty()) {
        canvas.polygon(outline);
    }
}

}  // namespace

std::string diagramOutcomeText(DiagramOutcome outcome) {
    switch (outcome) {
        case DiagramOutcome::NoVariable:
            return std::string(kDiagramNoVariable);
        case DiagramOutcome::NotComputable:
            return std::string(kDiagramNotComputable);
        case DiagramOutcome::Drawn:
            break;
    }
    return {};
}

DiagramAxisRange chooseDiagramAxis(const DiagramAxisInput& axis) {
    DiagramAxisRange range;
    range.min = 1.7e308;
    range.max = -1.7e308;
    for (double value : axis.values) {
        if (!std::isfinite(value)) {
            range.outcome = DiagramOutcome::NotComputable;
            return range;
        }
        if (value > range.max)
            range.max = value;
        if (value < range.min)
            range.min = value;
    }
    if (axis.values.empty()) {
        range.outcome = DiagramOutcome::NoVariable;
        return range;
    }
    if (axis.logarithmic && range.min > 0) {
        range.logarithmic = true;
        range.min = std::trunc(std::log10(range.min));
        range.max = std::trunc(std::log10(range.max)) + 1;
    } else if (axis.logarithmic && range.min < 0) {
        range.logarithmCleared = true;
    } else if (axis.logarithmic) {
        // The logarithm of the smallest value, 0, cannot be placed.
        range.outcome = DiagramOutcome::NotComputable;
        return range;
    }
    range.span = range.max - range.min;
    if (axis.kind == DiagramAxisKind::Image)
        applyImageRange(range);
    if (!(range.span > 0) || !std::isfinite(range.span)) {
        range.outcome = DiagramOutcome::NotComputable;
        return range;
    }
    if (range.logarithmic) {
        range.divisions = std::max(1, truncated(range.span));
    } else {
        range.divisions = std::nearbyint(range.span) == 6 ? 6 : 10;
    }
    return range;
}

DiagramResult drawCorrelationDiagram(const DiagramInput& input, Canvas& canvas) {
    const DiagramAxisRange x = chooseDiagramAxis(input.horizontal);
    const DiagramAxisRange y = chooseDiagramAxis(input.vertical);
    DiagramResult result;
    result.horizontalLogarithmCleared = x.logarithmCleared;
    result.verticalLogarithmCleared = y.logarithmCleared;
    for (DiagramOutcome outcome : {y.outcome, x.outcome}) {
        if (outcome != DiagramOutcome::Drawn) {
            result.outcome = outcome;
            return result;
        }
    }

    canvas.setPen(Pen{kBlack, 10});
    canvas.line({kPlotLeft, kPlotTop}, {kPlotLeft, kPlotBottom});
    canvas.line({kPlotLeft, kPlotBottom}, {kPlotRight, kPlotBottom});
    canvas.setFont(kLabelFont);
    canvas.setTextBackground(true, kWhite);
    drawHorizontalAxis(canvas, x);
    drawVerticalAxis(canvas, y);

    canvas.setPen(Pen{kBlack, 1});
    const std::size_t panels = std::min(input.horizontal.values.size(), input.vertical.values.size());
    for (std::size_t k = 0; k < panels; ++k) {
        canvas.setBrush(Brush{input.plotColour});
        double vx = input.horizontal.values[k];
        double vy = input.vertical.values[k];
        if (x.logarithmic)
            vx = std::log10(vx);
        if (y.logarithmic)
            vy = std::log10(vy);
        const double px = (vx - x.min) / x.span * 850 + 100;
        const double py = (y.max - vy) / y.span * 850 + 50;
        drawMarker(canvas, input.shape, px, py);
        canvas.setBrush(Brush{kWhite});
        canvas.text({truncated(px + 10), truncated(py + 10)}, integerText(static_cast<long long>(k) + 1));
    }

    canvas.setFont(kTitleFont);
    canvas.text({80, 10}, input.vertical.title);
    const int h24 = kTitleFont.height();
    const int bytes = static_cast<int>(cp932Length(input.horizontal.title));
    canvas.text({525 - (bytes / 4) * h24, 975 - h24}, input.horizontal.title);
    canvas.setFont(kSeriesFont);
    canvas.text({20, 995 - kSeriesFont.height()}, input.seriesName);
    return result;
}

std::string twoDecimalsText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%3.2f", value);
    std::string result = text;
    // A value that rounds to zero is written without a minus sign.
    if (result.find_first_not_of("-0.") == std::string::npos && result.front() == '-')
        result.erase(0, 1);
    return result;
}

std::string scientificText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2E", value);
    std::string result = text;
    const std::size_t e = result.find('E');
    if (e == std::string::npos || e + 2 > result.size())
        return result;  // inf or nan
    std::string digits = result.substr(e + 2);
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    std::string label = result.substr(0, e + 2);
    label.append(digits);
    return label;
}

ExponentLabel exponentLabel(double value) {
    const std::string text = scientificText(value);
    const std::size_t e = text.find('E');
    if (e == std::string::npos)
        return {text + "x10", ""};
    std::string exponent = text.substr(e + 1);
    if (!exponent.empty() && exponent.front() == '+')
        exponent.erase(0, 1);
    return {text.substr(0, e) + "x10", integerText(std::stoll(exponent))};
}

std::vector<Point> diagramMarkerPolygon(int shape, double px, double py) {
    const auto at = [](double x, double y) { return Point{truncated(x), truncated(y)}; };
    switch (shape) {
        case kDiagramDiamond:
            return {at(px, py - 10), at(px + 10, py), at(px, py + 10), at(px - 10, py), at(px, py - 10)};
        case kDiagramTriangleUp:
            return {at(px, py - 11.55), at(px + 10, py + 5.77), at(px - 10, py + 5.77), at(px, py - 11.55)};
        case kDiagramTriangleDown:
            return {at(px, py + 11.55), at(px + 10, py - 5.77), at(px - 10, py - 5.77), at(px, py + 11.55)};
        default:
            return {};
    }
}

}  // namespace kestrune
