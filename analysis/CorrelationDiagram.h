#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/Canvas.h"

namespace kestrune {

// The correlation diagram: the panels of a series as points of a scatter diagram, one
// variable across and one up, each axis an image (standardised scores) or a physical quantity.

enum class DiagramAxisKind { Image, Physical };

// Marker shapes in the order the shape chooser lists them: "●", "■", "◆", "▲", "▼".
enum DiagramShape {
    kDiagramCircle = 0,
    kDiagramSquare,
    kDiagramDiamond,
    kDiagramTriangleUp,
    kDiagramTriangleDown
};

struct DiagramAxisInput {
    DiagramAxisKind kind = DiagramAxisKind::Image;
    std::vector<double> values;  // one per panel, panel 1 first
    bool logarithmic = false;    // the axis' "対数" box
    std::string title;           // the axis item text
};

struct DiagramInput {
    DiagramAxisInput horizontal;
    DiagramAxisInput vertical;
    Color plotColour = kRed;
    int shape = kDiagramCircle;
    std::string seriesName;
};

// What the diagram area shows instead of a picture.
enum class DiagramOutcome {
    Drawn,
    NoVariable,    // "#NAME?": an axis without a data file or a quantity
    NotComputable  // "#DIV/0!": a loader failure, an axis of no span, a logarithm of 0
};
std::string diagramOutcomeText(DiagramOutcome outcome);  // "" for Drawn

// One axis after the range choice: bounds (decade exponents on a logarithmic axis), span
// and number of divisions.
struct DiagramAxisRange {
    double min = 0;
    double max = 0;
    double span = 0;
    bool logarithmic = false;
    int divisions = 10;
    bool logarithmCleared = false;  // the "対数" box must be cleared: the axis holds a negative value
    DiagramOutcome outcome = DiagramOutcome::Drawn;
};
DiagramAxisRange chooseDiagramAxis(const DiagramAxisInput& axis);

struct DiagramResult {
    DiagramOutcome outcome = DiagramOutcome::Drawn;
    // The caller owns the check boxes: these tell it which "対数" box to clear.
    bool horizontalLogarithmCleared = false;
    bool verticalLogarithmCleared = false;
};

// Draws the diagram onto a fresh canvas (the new diagram picture). Nothing is drawn unless
// the outcome is Drawn.
DiagramResult drawCorrelationDiagram(const DiagramInput& input, Canvas& canvas);

// Label texts: "%3f" (two decimals) and "%3.3e" (1.00E+002).
std::string twoDecimalsText(double value);
std::string scientificText(double value);

// A power label: "1.00x10" and its superscript exponent "2".
struct ExponentLabel {
    std::string base;
    std::string exponent;
};
ExponentLabel exponentLabel(double value);

// The outline of a marker centred at (px, py), each coordinate truncated toward zero; empty
// for the ellipse and rectangle shapes (they are boxes) and for unknown shapes.
std::vector<Point> diagramMarkerPolygon(int shape, double px, double py);

}  // namespace kestrune
