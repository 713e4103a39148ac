// The shape layer on cairo: pixel centres on integer coordinates, anti-aliasing on and off,
// tiled gradients, pen caps, arcs and cardinal curves.
#include <gtest/gtest.h>

#include <cmath>

#include "editor/cairo/CairoCanvas.h"
#include "editor/cairo/ShapeGeometry.h"
#include "tests/cairo/TestSurface.h"

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Argb kOpaqueWhite = 0xFFFFFFFF;
constexpr Argb kOpaqueBlack = 0xFF000000;
constexpr double kPi = 3.14159265358979323846;

class ShapeLayer : public ::testing::Test {
 protected:
  ShapeLayer() { canvas.openShapes(); }

  // The point at `degrees` (clockwise from +x) where the ray from the ellipse's centre meets
  // the ellipse in (x, y, width, height).
  static PointF onEllipse(float x, float y, float width, float height, double degrees) {
    const double a = width / 2.0;
    const double b = height / 2.0;
    const double angle = degrees * kPi / 180.0;
    const double r = a * b / std::hypot(b * std::cos(angle), a * std::sin(angle));
    return PointF{static_cast<float>(x + a + r * std::cos(angle)),
                  static_cast<float>(y + b + r * std::sin(angle))};
  }
  // Any pixel within one pixel of the point is drawn.
  bool drawnNear(PointF point) const {
    const int32_t px = static_cast<int32_t>(std::lround(point.x));
    const int32_t py = static_cast<int32_t>(std::lround(point.y));
    for (int32_t y = py - 1; y <= py + 1; ++y)
      for (int32_t x = px - 1; x <= px + 1; ++x)
        if (!surface.isGround(x, y)) return true;
    return false;
  }

  CairoFonts fonts;
  TestSurface surface{120, 120, kBlack};
  CairoCanvas canvas{surface.surface(), fonts};
};

TEST_F(ShapeLayer, AliasedRectangleBlendsOrMissesItsEdges) {
  canvas.setSmoothing(false);
  canvas.fillPixelRectangle(Brush::solid(kOpaqueWhite), 10, 20, 30, 15);
  const PixelBox box = surface.changedBox();
  EXPECT_EQ(box.left, 10);
  EXPECT_EQ(box.top, 20);
  EXPECT_EQ(box.right, 39);
  EXPECT_EQ(box.bottom, 34);
  EXPECT_EQ(surface.countBlends(kWhite), 0);
}

// Pixel centres lie on integer coordinates: an anti-aliased rectangle from 10 to 40 half
// covers the pixels 10 and 40.
TEST_F(ShapeLayer, AntiAliasedRectangleEdgesNotHalfCovered) {
  canvas.fillPixelRectangle(Brush::solid(kOpaqueWhite), 10, 20, 30, 15);
  EXPECT_NEAR(surface.pixel(10, 27).red, 128, 2);
  EXPECT_NEAR(surface.pixel(40, 27).red, 128, 2);
  EXPECT_EQ(surface.pixel(11, 27), kWhite);
  EXPECT_EQ(surface.pixel(39, 27), kWhite);
  EXPECT_TRUE(surface.isGround(9, 27));
  EXPECT_TRUE(surface.isGround(41, 27));
}

TEST_F(ShapeLayer, OneWidthLineOnIntegerRowSmeared) {
  canvas.strokeLine(Pen{kOpaqueWhite, 1.0f}, PointF{10, 30}, PointF{60, 30});
  EXPECT_EQ(surface.pixel(30, 30), kWhite);
  EXPECT_TRUE(surface.isGround(30, 29));
  EXPECT_TRUE(surface.isGround(30, 31));
}

TEST_F(ShapeLayer, AntiAliasSettingIgnored) {
  canvas.fillEllipse(Brush::solid(kOpaqueWhite), 10.3f, 10.3f, 40.0f, 30.0f);
  EXPECT_GT(surface.countBlends(kWhite), 20);

  TestSurface aliased(120, 120, kBlack);
  CairoCanvas plain(aliased.surface(), fonts);
  plain.openShapes();
  plain.setSmoothing(false);
  plain.fillEllipse(Brush::solid(kOpaqueWhite), 10.3f, 10.3f, 40.0f, 30.0f);
  EXPECT_EQ(aliased.countBlends(kWhite), 0);
  EXPECT_FALSE(aliased.changedBox().empty());
}

TEST_F(ShapeLayer, OpenShapesKeepsAliasingOff) {
  canvas.setSmoothing(false);
  canvas.closeShapes();
  canvas.openShapes();
  canvas.fillEllipse(Brush::solid(kOpaqueWhite), 10.3f, 10.3f, 40.0f, 30.0f);
  EXPECT_GT(surface.countBlends(kWhite), 20);
}

TEST_F(ShapeLayer, TranslucentColourDrawnOpaque) {
  canvas.fillPixelRectangle(Brush::solid(0x80FFFFFF), 10, 10, 20, 20);
  EXPECT_NEAR(surface.pixel(20, 20).red, 128, 2);
}

// A gradient from x = 20 (black) to x = 60 (white), tiled: it starts over at both ends.
TEST_F(ShapeLayer, GradientClampedOrMirroredBeyondItsEnds) {
  canvas.setSmoothing(false);
  canvas.fillPixelRectangle(Brush::gradientInt(20, 0, kOpaqueBlack, 60, 0, kOpaqueWhite), 0, 0, 110,
                            10);
  EXPECT_LE(surface.pixel(20, 5).red, 4);
  EXPECT_NEAR(surface.pixel(40, 5).red, 128, 4);
  EXPECT_GE(surface.pixel(59, 5).red, 240);
  // Past the end it starts again from black, not held at white nor run back.
  EXPECT_LE(surface.pixel(61, 5).red, 10);
  EXPECT_NEAR(surface.pixel(80, 5).red, 128, 4);
  EXPECT_NEAR(surface.pixel(90, 5).red, 191, 4);
  // Before the start it is the end of the previous tile.
  EXPECT_NEAR(surface.pixel(10, 5).red, 191, 4);
  EXPECT_GE(surface.pixel(19, 5).red, 240);
}

// The gradient runs along the line between its points; colours are constant across it.
TEST_F(ShapeLayer, DiagonalGradientNotPerpendicularToItsLine) {
  canvas.setSmoothing(false);
  canvas.fillRectangle(Brush::gradient(PointF{0, 0}, kOpaqueBlack, PointF{100, 100}, kOpaqueWhite),
                       0, 0, 100, 100);
  const Rgb a = surface.pixel(30, 70);
  const Rgb b = surface.pixel(70, 30);
  const Rgb c = surface.pixel(50, 50);
  EXPECT_NEAR(a.red, c.red, 3);
  EXPECT_NEAR(b.red, c.red, 3);
  EXPECT_NEAR(c.red, 128, 4);
}

TEST_F(ShapeLayer, GradientWithCoincidentPointsPaints) {
  canvas.fillPixelRectangle(Brush::gradientInt(20, 20, kOpaqueBlack, 20, 20, kOpaqueWhite), 0, 0,
                            50, 50);
  EXPECT_TRUE(surface.changedBox().empty());
}

TEST_F(ShapeLayer, FlatCapReachesBeyondTheEnd) {
  canvas.strokeLine(Pen{kOpaqueWhite, 6.0f}, PointF{20, 30}, PointF{60, 30});
  EXPECT_EQ(surface.pixel(59, 30), kWhite);
  EXPECT_TRUE(surface.isGround(62, 30));
  EXPECT_TRUE(surface.isGround(18, 30));
}

TEST_F(ShapeLayer, RoundCapMissing) {
  canvas.strokeLine(Pen{kOpaqueWhite, 6.0f, LineCap::Round, LineCap::Round}, PointF{20, 30},
                    PointF{60, 30});
  EXPECT_EQ(surface.pixel(62, 30), kWhite);
  EXPECT_EQ(surface.pixel(18, 30), kWhite);
  // Rounded, not square: the corner beyond the end stays clear.
  EXPECT_TRUE(surface.isGround(63, 33));
  EXPECT_TRUE(surface.isGround(17, 27));
}

// Degrees clockwise from +x with y down: 0 is 3 o'clock, 90 is 6 o'clock.
TEST_F(ShapeLayer, ArcAnglesCountedCounterClockwise) {
  const Pen pen{kOpaqueWhite, 2.0f};
  canvas.strokeArc(pen, 20, 20, 60, 60, 0.0f, 90.0f);
  EXPECT_TRUE(drawnNear(PointF{80, 50}));
  EXPECT_TRUE(drawnNear(PointF{50, 80}));
  EXPECT_TRUE(drawnNear(onEllipse(20, 20, 60, 60, 45)));
  EXPECT_FALSE(drawnNear(PointF{50, 20}));
  EXPECT_FALSE(drawnNear(PointF{20, 50}));
}

TEST_F(ShapeLayer, NegativeSweepDrawnTheLongWayRound) {
  const Pen pen{kOpaqueWhite, 2.0f};
  canvas.strokeArc(pen, 20, 20, 60, 60, 0.0f, -90.0f);
  EXPECT_TRUE(drawnNear(PointF{50, 20}));
  EXPECT_TRUE(drawnNear(onEllipse(20, 20, 60, 60, -45)));
  EXPECT_FALSE(drawnNear(PointF{50, 80}));
  EXPECT_FALSE(drawnNear(PointF{20, 50}));
}

// On an elliptic arc the angles are measured on the ellipse, not as the ellipse's parameter:
// the arc from 0 to 45 degrees of a wide ellipse ends where the 45-degree ray meets it.
TEST_F(ShapeLayer, EllipticArcEndsAtParametricAngle) {
  const Pen pen{kOpaqueWhite, 2.0f};
  canvas.strokeArc(pen, 10, 40, 100, 40, 0.0f, 45.0f);
  EXPECT_TRUE(drawnNear(onEllipse(10, 40, 100, 40, 40)));
  EXPECT_FALSE(drawnNear(onEllipse(10, 40, 100, 40, 52)));
  EXPECT_FALSE(drawnNear(onEllipse(10, 40, 100, 40, -10)));
}

TEST_F(ShapeLayer, ArcOverAFullTurnDrawnPartly) {
  const Pen pen{kOpaqueWhite, 2.0f};
  canvas.strokeArc(pen, 20, 20, 60, 60, 30.0f, 400.0f);
  for (double degrees = 0; degrees < 360; degrees += 30)
    EXPECT_TRUE(drawnNear(onEllipse(20, 20, 60, 60, degrees))) << degrees;
}

TEST_F(ShapeLayer, CardinalCurveMissesItsPoints) {
  const PointF points[] = {{10, 60}, {40, 20}, {70, 90}, {100, 50}};
  canvas.strokeCurve(Pen{kOpaqueWhite, 1.5f}, points, 4);
  for (const PointF& point : points)
    EXPECT_TRUE(drawnNear(point)) << point.x;
  // A curve, not a polyline: midway between the first two points it bends away from the
  // straight line.
  EXPECT_FALSE(drawnNear(PointF{25, 40}));
}

// Control points of segment i: p[i] + (p[i+1] - p[i-1]) * tension / 3, and the mirror at p[i+1];
// the ends stand in for their missing neighbours.
TEST(CardinalSegment, ControlPointsNotFromTensionOverThree) {
  const PointF points[] = {{0, 0}, {30, 0}, {30, 30}};
  const BezierSegment first = cardinalSegment(points, 3, 0, kCurveTension);
  EXPECT_FLOAT_EQ(first.control1.x, 5.0f);  // (30 - 0) * 0.5 / 3
  EXPECT_FLOAT_EQ(first.control1.y, 0.0f);
  EXPECT_FLOAT_EQ(first.control2.x, 25.0f);  // 30 - (30 - 0) * 0.5 / 3
  EXPECT_FLOAT_EQ(first.control2.y, -5.0f);  // 0 - (30 - 0) * 0.5 / 3
  const BezierSegment last = cardinalSegment(points, 3, 1, kCurveTension);
  EXPECT_FLOAT_EQ(last.control2.x, 30.0f);
  EXPECT_FLOAT_EQ(last.control2.y, 25.0f);
  EXPECT_EQ(last.to, (PointF{30, 30}));
}

TEST(UnitArc, EllipticAngleTakenAsParameter) {
  const UnitArc arc = unitArcOf(50, 20, 0, 45);
  EXPECT_DOUBLE_EQ(arc.start, 0.0);
  EXPECT_NEAR(arc.end, std::atan2(1.0 / 20, 1.0 / 50), 1e-9);
  // Through 180 degrees without a jump to the other side of the turn.
  const double at170 = 170 * kPi / 180;
  const double at210 = 210 * kPi / 180;
  const UnitArc across = unitArcOf(50, 20, 170, 40);
  EXPECT_NEAR(across.start, std::atan2(std::sin(at170) / 20, std::cos(at170) / 50), 1e-9);
  EXPECT_NEAR(across.end, std::atan2(std::sin(at210) / 20, std::cos(at210) / 50) + 2 * kPi, 1e-9);
}

}  // namespace
