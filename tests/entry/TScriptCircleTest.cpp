#include "entry/TScriptCircle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <variant>

#include "core/Picture.h"
#include "tests/entry/ScriptedRandom.h"

namespace kestrune {
namespace {

using testing::ScriptedRandom;

TEST(TScriptCircle, StartsUnmarkedWithTheDefaultSize) {
    TScriptCircle circle;
    EXPECT_FALSE(circle.Status());
    EXPECT_EQ(circle.Width, 20);
    EXPECT_EQ(circle.Height, 20);
}

TEST(TScriptCircle, SettingStatusRaisesOnChangeOnlyForAChange) {
    TScriptCircle circle;
    int changes = 0;
    int repaints = 0;
    circle.OnChange = [&](TScriptCircle& sender) {
        EXPECT_EQ(&sender, &circle);
        ++changes;
    };
    circle.Invalidate = [&](TScriptCircle&) { ++repaints; };
    circle.SetStatus(false);
    EXPECT_EQ(changes, 0);
    circle.SetStatus(true);
    EXPECT_TRUE(circle.Status());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(repaints, 1);
    circle.SetStatus(true);
    EXPECT_EQ(changes, 1);
}

TEST(TScriptCircle, ClickRunsOnClickFirstAndThenInverts) {
    TScriptCircle circle;
    std::vector<std::string> order;
    circle.OnClick = [&](TScriptCircle& sender) {
        order.push_back(sender.Status() ? "click:marked" : "click:unmarked");
        // Whatever the handler does, the inversion follows it.
        sender.SetStatus(true);
    };
    circle.OnChange = [&](TScriptCircle& sender) { order.push_back(sender.Status() ? "on" : "off"); };
    circle.Click();
    EXPECT_FALSE(circle.Status());
    EXPECT_EQ(order, (std::vector<std::string>{"click:unmarked", "on", "off"}));
}

TEST(TScriptCircle, ClickWithoutHandlerToggles) {
    TScriptCircle circle;
    circle.Click();
    EXPECT_TRUE(circle.Status());
    circle.Click();
    EXPECT_FALSE(circle.Status());
}

TEST(TScriptCircle, UnmarkedPaintsOnlyTheDot) {
    TScriptCircle circle;
    circle.Width = 25;
    circle.Height = 25;
    Picture picture(25, 25);
    ScriptedRandom random({});
    circle.Paint(picture, random);
    ASSERT_EQ(picture.operations().size(), 1u);
    const auto& dot = std::get<EllipseOp>(picture.operations()[0].shape);
    EXPECT_EQ(dot.topLeft, (Point{11, 11}));
    EXPECT_EQ(dot.bottomRight, (Point{13, 13}));
    EXPECT_EQ(picture.operations()[0].state.pen, (Pen{kBlack, 2}));
    EXPECT_EQ(random.draws(), 0u);
}

TEST(TScriptCircle, MarkWithAllDrawsZeroIsTheSmallestRing) {
    // r = 0: both radii 0.4·25 = 10, no start offset, every point at 0.95 of the radius.
    ScriptedRandom random(std::vector<double>(43, 0.0));
    const std::vector<Point> points = handDrawnMarkPoints(25, 25, random);
    EXPECT_EQ(random.draws(), 43u);
    ASSERT_EQ(points.size(), 20u);
    EXPECT_EQ(points[0], (Point{12, 3}));    // top
    EXPECT_EQ(points[5], (Point{21, 12}));   // right, a quarter turn on
    EXPECT_EQ(points[10], (Point{12, 21}));  // bottom
    EXPECT_EQ(points[15], (Point{3, 12}));   // left
    // t = 0.1·π·k runs clockwise to 1.9·π and stops short of the top, leaving a gap.
    EXPECT_EQ(points[19], (Point{12 - static_cast<int>(std::trunc(std::sin(0.1 * std::numbers::pi) * 9.5)),
                                 12 - static_cast<int>(std::trunc(std::cos(1.9 * std::numbers::pi) * 9.5))}));
}

TEST(TScriptCircle, MarkDrawsVerticalRadiusFirstThenHorizontalThenOffset) {
    // r1 = 0.9 widens the vertical radius only: (0.09 + 0.4)·20 = 9.8; rx stays 8.
    std::vector<double> values{0.9, 0.0, 0.0};
    for (int k = 0; k < 20; ++k) {
        values.push_back(0.0);  // horizontal
        values.push_back(0.0);  // vertical
    }
    ScriptedRandom random(values);
    const std::vector<Point> points = handDrawnMarkPoints(20, 20, random);
    EXPECT_EQ(random.draws(), 43u);
    EXPECT_EQ(points[0], (Point{10, 10 - static_cast<int>(std::trunc(0.95 * 9.8f))}));
    EXPECT_EQ(points[5], (Point{10 + static_cast<int>(std::trunc(0.95 * 8.0f)), 10}));
}

TEST(TScriptCircle, EachPointDrawsItsHorizontalThenItsVerticalFactor) {
    std::vector<double> values(43, 0.0);
    values[3 + 2 * 5] = 0.999;       // horizontal factor of the right-hand point (k = 5)
    values[3 + 2 * 10 + 1] = 0.999;  // vertical factor of the bottom point (k = 10)
    ScriptedRandom random(values);
    const std::vector<Point> points = handDrawnMarkPoints(100, 100, random);
    // rx = ry = 40: a factor of 0.95 gives 38, one of 0.99995 gives 39.998.
    EXPECT_EQ(points[5], (Point{50 + 39, 50}));
    EXPECT_EQ(points[10], (Point{50, 50 + 39}));
    EXPECT_EQ(points[15], (Point{50 - 38, 50}));
}

TEST(TScriptCircle, StartOffsetTurnsTheFirstPointClockwise) {
    // r3 just below 1: a0 close to 5°, so the first point lies at t = 2·a0, right of the top.
    std::vector<double> values{0.0, 0.0, 0.99};
    values.resize(43, 0.0);
    ScriptedRandom random(values);
    const std::vector<Point> points = handDrawnMarkPoints(100, 100, random);
    const float a0 = static_cast<float>(0.99 * std::numbers::pi / 36);
    const double t0 = 2.0 * a0;
    EXPECT_EQ(points[0].x, 50 + static_cast<int>(std::trunc(std::sin(t0) * 0.95 * 40.0f)));
    EXPECT_GT(points[0].x, 50);
    const double t19 = (std::numbers::pi - a0) * 0.1 * 19 + 2.0 * a0;
    EXPECT_EQ(points[19].x, 50 + static_cast<int>(std::trunc(std::sin(t19) * 0.95 * 40.0f)));
}

TEST(TScriptCircle, MarkedPaintsDotThenNavyPolylineOfTwentyPoints) {
    TScriptCircle circle;
    circle.Width = 25;
    circle.Height = 25;
    circle.SetStatus(true);
    Picture picture(25, 25);
    SeededUniformRandom random(7);
    circle.Paint(picture, random);
    ASSERT_EQ(picture.operations().size(), 2u);
    EXPECT_TRUE(std::holds_alternative<EllipseOp>(picture.operations()[0].shape));
    const auto& ring = std::get<PolylineOp>(picture.operations()[1].shape);
    EXPECT_EQ(picture.operations()[1].state.pen, (Pen{kNavy, 1}));
    SeededUniformRandom again(7);
    EXPECT_EQ(ring.points, handDrawnMarkPoints(25, 25, again));
    for (const Point& point : ring.points) {
        // Radii of 40 to 50 per cent of 25 around the centre (12, 12).
        EXPECT_LE(std::abs(point.x - 12), 12);
        EXPECT_LE(std::abs(point.y - 12), 12);
    }
    // The ring is redrawn afresh: the next paint draws new numbers and differs a little.
    Picture second(25, 25);
    circle.Paint(second, random);
    EXPECT_NE(std::get<PolylineOp>(second.operations()[1].shape).points, ring.points);
}

TEST(TScriptCircle, SeededSourceStaysInUnitInterval) {
    SeededUniformRandom random(12345);
    for (int draw = 0; draw < 10000; ++draw) {
        const double value = random.next();
        ASSERT_GE(value, 0.0);
        ASSERT_LT(value, 1.0);
    }
}

}  // namespace
}  // namespace kestrune
