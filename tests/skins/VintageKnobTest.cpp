// The Vintage knob: which scale lamps light for a value, and where the pointer points.
#include <gtest/gtest.h>

#include "DrawingQueries.h"
#include "editor/VintageKnob.h"

namespace {

constexpr PointF kCentre{100.0f, 80.0f};
constexpr Argb kLampLit = 0xFFD9AC65;
constexpr Argb kLampDark = 0xFF84806B;
constexpr Argb kPointerColour = 0xFFF1E1B5;
constexpr int kLampCount = 11;

RecordingCanvas knobAt(double v) {
  RecordingCanvas canvas;
  drawVintageKnob(canvas, kCentre.x, kCentre.y, v);
  return canvas;
}

// The scale lamps are the knob's first eleven lines; true for each lit one.
std::vector<bool> litLamps(double v) {
  const RecordingCanvas canvas = knobAt(v);
  const auto lines = canvas.all(DrawOp::StrokeLine);
  std::vector<bool> lit;
  for (int k = 0; k < kLampCount; ++k) {
    const Argb colour = lines.at(k)->pen.colour;
    EXPECT_TRUE(colour == kLampLit || colour == kLampDark) << "lamp " << k;
    lit.push_back(colour == kLampLit);
  }
  return lit;
}

const DrawCall& pointerOf(const RecordingCanvas& canvas) {
  const auto pointers = linesInColour(canvas, kPointerColour);
  EXPECT_EQ(pointers.size(), 1u);
  return *pointers.at(0);
}

TEST(VintageKnob, LampsSpreadOverTheSweepWithLongOnesAtEndsAndMiddle) {
  const RecordingCanvas canvas = knobAt(0.5);
  const auto lines = canvas.all(DrawOp::StrokeLine);
  for (int k = 0; k < kLampCount; ++k) {
    const DrawCall& lamp = *lines.at(k);
    const bool isLong = k % 5 == 0;
    EXPECT_NEAR(angleAround(lineStart(lamp), kCentre), -135.0 + 27.0 * k, 1e-3) << k;
    EXPECT_NEAR(radiusAround(lineStart(lamp), kCentre), 38.0f, 1e-3f) << k;
    EXPECT_NEAR(radiusAround(lineEnd(lamp), kCentre), isLong ? 44.0f : 41.0f, 1e-3f) << k;
    EXPECT_FLOAT_EQ(lamp.pen.width, isLong ? 1.7f : 1.1f) << k;
  }
}

TEST(VintageKnob, LampsLitUpToTheValueAtBothEndsAndMiddle) {
  EXPECT_EQ(litLamps(0.0), std::vector<bool>({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(litLamps(0.5), std::vector<bool>({1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(litLamps(1.0), std::vector<bool>(kLampCount, true));
}

// A value a little short of a tenth still lights that tenth's lamp (rounding in the value
// chain must not drop a lamp), but only within 0.0001.
TEST(VintageKnob, LampLitExactlyWhenValueReachesItsTenthLessTheMargin) {
  for (int k = 1; k < kLampCount; ++k) {
    const double tenth = k / 10.0;
    const std::vector<bool> justInside = litLamps(tenth - 0.00009);
    const std::vector<bool> justOutside = litLamps(tenth - 0.00011);
    EXPECT_TRUE(justInside[k]) << "lamp " << k;
    EXPECT_FALSE(justOutside[k]) << "lamp " << k;
    EXPECT_TRUE(justOutside[k - 1]) << "lamp " << k - 1;
    if (k + 1 < kLampCount) {
      EXPECT_FALSE(justInside[k + 1]) << "lamp " << k + 1;
    }
  }
}

TEST(VintageKnob, PointerSweepsFromLowerLeftThroughTopToLowerRight) {
  const struct {
    double value;
    double angle;
  } cases[] = {{0.0, -135.0}, {0.5, 0.0}, {1.0, 135.0}};
  for (const auto& c : cases) {
    const RecordingCanvas canvas = knobAt(c.value);
    const DrawCall& pointer = pointerOf(canvas);
    EXPECT_NEAR(angleAround(lineStart(pointer), kCentre), c.angle, 1e-3) << c.value;
    EXPECT_NEAR(angleAround(lineEnd(pointer), kCentre), c.angle, 1e-3) << c.value;
    EXPECT_NEAR(radiusAround(lineStart(pointer), kCentre), 13.0f, 1e-3f);
    EXPECT_NEAR(radiusAround(lineEnd(pointer), kCentre), 23.0f, 1e-3f);
  }
}

TEST(VintageKnob, PointerHasRoundCapsAndIsDrawnOverTheCap) {
  const RecordingCanvas canvas = knobAt(0.3);
  const DrawCall& pointer = pointerOf(canvas);
  EXPECT_EQ(pointer.pen.startCap, LineCap::Round);
  EXPECT_EQ(pointer.pen.endCap, LineCap::Round);
  EXPECT_FLOAT_EQ(pointer.pen.width, 3.0f);
  // Only the centre dot follows the pointer.
  ASSERT_GE(canvas.calls.size(), 2u);
  EXPECT_EQ(&canvas.calls[canvas.calls.size() - 2], &pointer);
  EXPECT_EQ(canvas.calls.back().op, DrawOp::FillEllipse);
}

}  // namespace
