#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "FigureOps.h"
#include "analysis/CorrelationDiagram.h"
#include "core/Picture.h"

using namespace kestrune;
using namespace kestrune::testing;

namespace {

DiagramAxisInput imageAxis(std::vector<double> values, std::string title = "明るい") {
    return {DiagramAxisKind::Image, std::move(values), false, std::move(title)};
}

DiagramAxisInput physicalAxis(std::vector<double> values, bool logarithmic = false) {
    return {DiagramAxisKind::Physical, std::move(values), logarithmic, "重さ(g)"};
}

Picture draw(const DiagramInput& input) {
    Picture picture;
    const DiagramResult result = drawCorrelationDiagram(input, picture);
    EXPECT_EQ(result.outcome, DiagramOutcome::Drawn);
    return picture;
}

DiagramInput input(DiagramAxisInput horizontal, DiagramAxisInput vertical) {
    DiagramInput in;
    in.horizontal = std::move(horizontal);
    in.vertical = std::move(vertical);
    in.seriesName = "テスト";
    return in;
}

// Texts drawn at a given left edge, top to bottom in drawing order.
std::vector<std::string> textsAtX(const Picture& picture, int x) {
    std::vector<std::string> texts;
    for (const TextOp& text : shapesOf<TextOp>(picture)) {
        if (text.topLeft.x == x)
            texts.push_back(text.text);
    }
    return texts;
}

std::vector<int> tickXs(const Picture& picture, int top) {
    std::vector<int> xs;
    for (const LineOp& line : shapesOf<LineOp>(picture)) {
        if (line.from.y == top && line.to.y == 900 && line.from.x == line.to.x)
            xs.push_back(line.from.x);
    }
    return xs;
}

}  // namespace

TEST(DiagramAxes, ImageScoresInsideThreeRunFromMinusThreeToThree) {
    const Picture picture = draw(input(imageAxis({1.2, -0.4, -0.8}), imageAxis({0.3, 2.9, -2.9})));
    EXPECT_EQ(textsAtY(picture, 920),
              (std::vector<std::string>{"-3.00", "-2.00", "-1.00", "0.00", "1.00", "2.00", "3.00"}));
    EXPECT_EQ(findText(picture, "-2.00")->topLeft.x, 216);  // trunc(850 / 6 + 75)
    EXPECT_EQ(tickXs(picture, 880), (std::vector<int>{241, 383, 525, 666, 808, 950}));
    EXPECT_EQ(textsAtX(picture, 10),
              (std::vector<std::string>{"3.00", "2.00", "1.00", "0.00", "-1.00", "-2.00", "-3.00"}));
    std::vector<int> verticalTicks;
    for (const LineOp& line : shapesOf<LineOp>(picture)) {
        if (line.from.x == 100 && line.to.x == 120)
            verticalTicks.push_back(line.from.y);
    }
    EXPECT_EQ(verticalTicks, (std::vector<int>{50, 191, 333, 475, 616, 758}));
}

TEST(DiagramAxes, AScoreOfExactlyThreeWidensToFive) {
    const DiagramAxisRange range = chooseDiagramAxis(imageAxis({3.0, 0.0, -1.0}));
    EXPECT_EQ(range.min, -5);
    EXPECT_EQ(range.max, 5);
    EXPECT_EQ(range.divisions, 10);
    const DiagramAxisRange wide = chooseDiagramAxis(imageAxis({-7.0, 9.9}));
    EXPECT_EQ(wide.span, 20);
    EXPECT_EQ(wide.divisions, 10);
    const DiagramAxisRange beyond = chooseDiagramAxis(imageAxis({-12.5, 7.2}));
    EXPECT_EQ(beyond.min, -12.5);
    EXPECT_DOUBLE_EQ(beyond.span, 19.7);
}

TEST(DiagramAxes, PhysicalRangeTwelveToThirtyOneInTenDivisions) {
    const Picture picture = draw(input(physicalAxis({12, 20, 31}), imageAxis({0, 1, 2})));
    EXPECT_EQ(textsAtY(picture, 920),
              (std::vector<std::string>{"12.00", "13.90", "15.80", "17.70", "19.60", "21.50", "23.40",
                                        "25.30", "27.20", "29.10", "31.00"}));
}

TEST(DiagramAxes, PhysicalSpanOfSixGivesSixDivisions) {
    const Picture picture = draw(input(imageAxis({0, 1, 2}), physicalAxis({0.5, 6.5, 3})));
    EXPECT_EQ(textsAtX(picture, 10),
              (std::vector<std::string>{"6.50", "5.50", "4.50", "3.50", "2.50", "1.50", "0.50"}));
}

TEST(DiagramAxes, LogarithmicAxisTwoTo450HasFourDecadeLabelsAndMinorTicks) {
    DiagramInput in = input(physicalAxis({2, 45, 450}, true), imageAxis({0, 1, 2}));
    const Picture picture = draw(in);
    const DiagramAxisRange range = chooseDiagramAxis(in.horizontal);
    EXPECT_TRUE(range.logarithmic);
    EXPECT_EQ(range.min, 0);
    EXPECT_EQ(range.max, 3);
    EXPECT_EQ(range.divisions, 3);
    EXPECT_EQ(textsAtY(picture, 920), (std::vector<std::string>(4, "1.00x10")));
    EXPECT_EQ(textsAtY(picture, 915), (std::vector<std::string>{"0", "1", "2", "3"}));
    // The exponent sits right of its label: 7 characters × 21 / 2 + 5.
    const std::vector<TextOp> texts = shapesOf<TextOp>(picture);
    const auto zero = std::find_if(texts.begin(), texts.end(), [](const TextOp& t) { return t.text == "0"; });
    ASSERT_NE(zero, texts.end());
    EXPECT_EQ(zero->topLeft, (Point{60 + 73 + 5, 915}));
    EXPECT_EQ(tickXs(picture, 880), (std::vector<int>{383, 666, 950}));
    const std::vector<int> minor = tickXs(picture, 890);
    ASSERT_EQ(minor.size(), 24u);
    EXPECT_EQ(minor[0], 185);  // log10 2 of the first decade
    EXPECT_EQ(minor[7], 370);  // log10 9
    EXPECT_EQ(minor[8], 468);  // log10 2 of the second decade
    // The point 45 lies at log10 45 = 1.653 decades.
    const std::vector<EllipseOp> markers = shapesOf<EllipseOp>(picture);
    ASSERT_EQ(markers.size(), 3u);
    EXPECT_EQ(markers[1].topLeft.x, static_cast<int>(std::log10(45.0) / 3 * 850 + 100 - 10));
}

TEST(DiagramAxes, LogarithmicVerticalAxisLabelsFromTheTop) {
    const Picture picture = draw(input(imageAxis({0, 1, 2}), physicalAxis({20, 30, 900}, true)));
    // Decades 1 to 3, two divisions: 10^3 at the top, 10^2, and 10^1 at the origin.
    EXPECT_EQ(textsAtX(picture, 5), (std::vector<std::string>(3, "1.00x10")));
    EXPECT_EQ(textsAtX(picture, 83), (std::vector<std::string>{"3", "2", "1"}));
    EXPECT_EQ(findText(picture, "2")->topLeft.y, 475 - 5);
    std::vector<int> minor;
    for (const LineOp& line : shapesOf<LineOp>(picture)) {
        if (line.from.x == 100 && line.to.x == 110)
            minor.push_back(line.from.y);
    }
    ASSERT_EQ(minor.size(), 16u);
    EXPECT_EQ(minor[0], static_cast<int>((1 - std::log10(2.0)) * 425 + 50));
}

TEST(DiagramAxes, DecadeExponentsAreTruncatedTowardZero) {
    const DiagramAxisRange range = chooseDiagramAxis(physicalAxis({0.05, 3}, true));
    EXPECT_EQ(range.min, -1);
    EXPECT_EQ(range.max, 1);
    EXPECT_EQ(range.divisions, 2);
}

TEST(DiagramAxes, NegativeMinimumClearsTheLogarithmAndDrawsLinear) {
    DiagramInput in = input(physicalAxis({-2, 4, 8}, true), imageAxis({0, 1, 2}));
    Picture picture;
    const DiagramResult result = drawCorrelationDiagram(in, picture);
    EXPECT_EQ(result.outcome, DiagramOutcome::Drawn);
    EXPECT_TRUE(result.horizontalLogarithmCleared);
    EXPECT_FALSE(result.verticalLogarithmCleared);
    EXPECT_EQ(textsAtY(picture, 920).front(), "-2.00");
    EXPECT_EQ(textsAtY(picture, 920).back(), "8.00");
}

TEST(DiagramOutcomes, UncomputableAxesAreReportedWithoutDrawing) {
    Picture picture;
    EXPECT_EQ(
        drawCorrelationDiagram(input(physicalAxis({0, 4, 8}, true), imageAxis({0, 1, 2})), picture).outcome,
        DiagramOutcome::NotComputable);
    EXPECT_EQ(drawCorrelationDiagram(input(physicalAxis({5, 5, 5}), imageAxis({0, 1, 2})), picture).outcome,
              DiagramOutcome::NotComputable);
    EXPECT_EQ(drawCorrelationDiagram(
                  input(imageAxis({0, 1}), imageAxis({0, std::numeric_limits<double>::quiet_NaN()})), picture)
                  .outcome,
              DiagramOutcome::NotComputable);
    EXPECT_EQ(drawCorrelationDiagram(input(physicalAxis({}), imageAxis({0, 1})), picture).outcome,
              DiagramOutcome::NoVariable);
    EXPECT_TRUE(picture.empty());
    EXPECT_EQ(diagramOutcomeText(DiagramOutcome::NoVariable), "#NAME?");
    EXPECT_EQ(diagramOutcomeText(DiagramOutcome::NotComputable), "#DIV/0!");
    // Equal image scores inside (−3, 3) still have the fixed range.
    EXPECT_EQ(drawCorrelationDiagram(input(imageAxis({0, 0}), imageAxis({0, 1})), picture).outcome,
              DiagramOutcome::Drawn);
}

TEST(DiagramMarkers, TriangleAt500By400IsTruncated) {
    EXPECT_EQ(diagramMarkerPolygon(kDiagramTriangleUp, 500, 400),
              (std::vector<Point>{{500, 388}, {510, 405}, {490, 405}, {500, 388}}));
    EXPECT_EQ(diagramMarkerPolygon(kDiagramTriangleDown, 500, 400),
              (std::vector<Point>{{500, 411}, {510, 394}, {490, 394}, {500, 411}}));
    EXPECT_EQ(diagramMarkerPolygon(kDiagramDiamond, 500.7, 400.2),
              (std::vector<Point>{{500, 390}, {510, 400}, {500, 410}, {490, 400}, {500, 390}}));
    EXPECT_TRUE(diagramMarkerPolygon(9, 500, 400).empty());
}

TEST(DiagramMarkers, PointsAreMappedIntoThePlotSquare) {
    // x 0..850 and y 0..850 map one to one: panel 2 lands on (500, 400).
    DiagramInput in = input(physicalAxis({0, 400, 850}), physicalAxis({0, 500, 850}));
    in.shape = kDiagramTriangleUp;
    in.plotColour = Color{0, 0, 255};
    const Picture picture = draw(in);
    const std::vector<const DrawOp*> markers =
        opsOf(picture, [](const DrawOp& op) { return std::holds_alternative<PolygonOp>(op.shape); });
    ASSERT_EQ(markers.size(), 3u);
    EXPECT_EQ(std::get<PolygonOp>(markers[1]->shape).points,
              (std::vector<Point>{{500, 388}, {510, 405}, {490, 405}, {500, 388}}));
    EXPECT_EQ(markers[1]->state.brush.color, (Color{0, 0, 255}));
    EXPECT_EQ(markers[1]->state.pen, (Pen{kBlack, 1}));
    const TextOp* label = findText(picture, "2");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->topLeft, (Point{510, 410}));

    in.shape = kDiagramSquare;
    const Picture squares = draw(in);
    ASSERT_EQ(shapesOf<RectangleOp>(squares).size(), 3u);
    EXPECT_EQ(shapesOf<RectangleOp>(squares)[1].topLeft, (Point{490, 390}));
    EXPECT_EQ(shapesOf<RectangleOp>(squares)[1].bottomRight, (Point{510, 410}));
    in.shape = 7;
    const Picture none = draw(in);
    EXPECT_TRUE(shapesOf<PolygonOp>(none).empty());
    EXPECT_TRUE(shapesOf<EllipseOp>(none).empty());
    EXPECT_NE(findText(none, "3"), nullptr);
}

TEST(DiagramTitles, TitlesAndSeriesNameAreInTheirPlaces) {
    DiagramInput in = input(imageAxis({0, 1}, "あいうえおかきくけこ"), imageAxis({0, 1}, "縦"));
    in.seriesName = "SeriesA";
    const Picture picture = draw(in);
    const std::vector<const DrawOp*> texts =
        opsOf(picture, [](const DrawOp& op) { return std::holds_alternative<TextOp>(op.shape); });
    ASSERT_GE(texts.size(), 3u);
    const DrawOp& vertical = *texts[texts.size() - 3];
    const DrawOp& horizontal = *texts[texts.size() - 2];
    const DrawOp& series = *texts.back();
    EXPECT_EQ(std::get<TextOp>(vertical.shape).topLeft, (Point{80, 10}));
    EXPECT_EQ(std::get<TextOp>(horizontal.shape).topLeft, (Point{365, 943}));
    EXPECT_EQ(horizontal.state.font, (Font{"ＭＳ Ｐゴシック", 24}));
    EXPECT_EQ(std::get<TextOp>(series.shape).text, "SeriesA");
    EXPECT_EQ(std::get<TextOp>(series.shape).topLeft, (Point{20, 974}));
    EXPECT_EQ(series.state.font, (Font{"ＭＳ Ｐゴシック", 16}));
}

TEST(DiagramTitles, AxesAreDrawnFirstWithAWidePen) {
    const Picture picture = draw(input(imageAxis({0, 1}), imageAxis({0, 1})));
    ASSERT_GE(picture.operations().size(), 2u);
    const DrawOp& first = picture.operations()[0];
    const DrawOp& second = picture.operations()[1];
    EXPECT_EQ(std::get<LineOp>(first.shape).from, (Point{100, 50}));
    EXPECT_EQ(std::get<LineOp>(first.shape).to, (Point{100, 900}));
    EXPECT_EQ(std::get<LineOp>(second.shape).to, (Point{950, 900}));
    EXPECT_EQ(first.state.pen, (Pen{kBlack, 10}));
    const TextOp* origin = findText(picture, "-3.00");
    ASSERT_NE(origin, nullptr);
    EXPECT_EQ(origin->topLeft, (Point{85, 920}));
}

TEST(DiagramTexts, FormatsOfLabels) {
    EXPECT_EQ(twoDecimalsText(1.9), "1.90");
    EXPECT_EQ(twoDecimalsText(-3), "-3.00");
    EXPECT_EQ(twoDecimalsText(-0.001), "0.00");
    EXPECT_EQ(twoDecimalsText(123.456), "123.46");
    EXPECT_EQ(scientificText(100), "1.00E+002");
    EXPECT_EQ(scientificText(0.05), "5.00E-002");
    EXPECT_EQ(scientificText(1), "1.00E+000");
    EXPECT_EQ(scientificText(12345), "1.23E+004");
    EXPECT_EQ(scientificText(-5), "-5.00E+000");
    EXPECT_EQ(scientificText(1e-300), "1.00E-300");
    EXPECT_EQ(exponentLabel(100).base, "1.00x10");
    EXPECT_EQ(exponentLabel(100).exponent, "2");
    EXPECT_EQ(exponentLabel(0.05).base, "5.00x10");
    EXPECT_EQ(exponentLabel(0.05).exponent, "-2");
    EXPECT_EQ(exponentLabel(1).exponent, "0");
}
