// Drawing of the Vintage knob. Angles are in degrees clockwise from 12 o'clock.
#include "editor/VintageKnob.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Scale lamps: eleven ticks from -135 to +135 degrees, every fifth one long.
constexpr int32_t kLampCount = 11;
constexpr double kLampFirstAngle = -135.0;
constexpr double kLampAngleStep = 27.0;
constexpr int32_t kLongLampEvery = 5;
constexpr double kLampsPerUnit = 10.0;
constexpr double kLampMargin = 0.001;  // on 10 v: a value just short of a lamp still lights it
constexpr Argb kLampLit = 0xFFD9AC65;
constexpr Argb kLampDark = 0xFF84806B;
constexpr float kLampInnerRadius = 38.0f;
constexpr float kLongLampOuterRadius = 44.0f;
constexpr float kShortLampOuterRadius = 41.0f;
constexpr float kLongLampWidth = 1.7f;
constexpr float kShortLampWidth = 1.1f;

// The shadow falls a little below and to the right of the knob.
constexpr Argb kDropShadow = 0x7D000000;
constexpr PointF kDropShadowOffset{-33.0f, -30.0f};
constexpr PointF kDropShadowSize{68.0f, 69.0f};
constexpr Argb kSkirtTop = 0xFF747060;
constexpr Argb kSkirtBottom = 0xFF20211D;
constexpr float kSkirtGradientReach = 33.0f;
constexpr float kSkirtRadius = 32.0f;
constexpr Argb kFace = 0xFF0E1110;
constexpr float kFaceRadius = 30.0f;

// Knurling: forty short ridges around the face's edge.
constexpr int32_t kKnurlCount = 40;
constexpr double kKnurlAngleStep = 9.0;
constexpr float kKnurlInnerRadius = 27.0f;
constexpr float kKnurlOuterRadius = 29.5f;
constexpr Pen kKnurlPen{0xFF4A4C42, 1.15f};

// The cap's gradient runs from its upper left to its lower right.
constexpr Argb kCapLight = 0xFF454940;
constexpr Argb kCapDark = 0xFF141716;
constexpr PointF kCapLightOffset{-15.0f, -27.0f};
constexpr PointF kCapDarkOffset{18.0f, 25.0f};
constexpr float kCapRadius = 26.0f;

// Rim light over the top of the cap (angles clockwise from +x).
constexpr Pen kRimLightPen{0x965D6051, 0.8f};
constexpr float kRimLightRadius = 25.0f;
constexpr float kRimLightStart = 190.0f;
constexpr float kRimLightSweep = 140.0f;

constexpr double kPointerSweep = 270.0;
constexpr double kPointerAngleAtZero = -135.0;
constexpr Pen kPointerPen{0xFFF1E1B5, 3.0f, LineCap::Round, LineCap::Round};
constexpr float kPointerInnerRadius = 13.0f;
constexpr float kPointerOuterRadius = 23.0f;

constexpr Argb kCentre = 0xFF262A25;
constexpr float kCentreRadius = 6.0f;

PointF pointOnDial(float cx, float cy, float radius, double degrees) {
  const double radians = degrees * std::numbers::pi / 180.0;
  return PointF{cx + radius * static_cast<float>(std::sin(radians)),
                cy - radius * static_cast<float>(std::cos(radians))};
}

void radialLine(ShapeCanvas& canvas, const Pen& pen, float cx, float cy, double degrees,
                float inner, float outer) {
  canvas.strokeLine(pen, pointOnDial(cx, cy, inner, degrees), pointOnDial(cx, cy, outer, degrees));
}

// The highest lit lamp: the integer part of 10 v plus the margin (-1 lights none).
int32_t highestLitLamp(double v) {
  const double reach = kLampsPerUnit * v + kLampMargin;
  if (!std::isfinite(reach)) return -1;
  return static_cast<int32_t>(std::clamp(reach, -1.0, static_cast<double>(kLampCount)));
}

void fillCircle(ShapeCanvas& canvas, const Brush& brush, float cx, float cy, float radius) {
  canvas.fillEllipse(brush, cx - radius, cy - radius, 2 * radius, 2 * radius);
}

void drawLamps(ShapeCanvas& canvas, float cx, float cy, double v) {
  const int32_t highestLit = highestLitLamp(v);
  for (int32_t k = 0; k < kLampCount; ++k) {
    const bool isLong = k % kLongLampEvery == 0;
    const Pen pen{k <= highestLit ? kLampLit : kLampDark,
                  isLong ? kLongLampWidth : kShortLampWidth};
    radialLine(canvas, pen, cx, cy, kLampFirstAngle + kLampAngleStep * k, kLampInnerRadius,
               isLong ? kLongLampOuterRadius : kShortLampOuterRadius);
  }
}

}  // namespace

void drawVintageKnob(ShapeCanvas& canvas, float cx, float cy, double v) {
  drawLamps(canvas, cx, cy, v);

  canvas.fillEllipse(Brush::solid(kDropShadow), cx + kDropShadowOffset.x, cy + kDropShadowOffset.y,
                     kDropShadowSize.x, kDropShadowSize.y);
  fillCircle(canvas,
             Brush::gradient({cx, cy - kSkirtGradientReach}, kSkirtTop,
                             {cx, cy + kSkirtGradientReach}, kSkirtBottom),
             cx, cy, kSkirtRadius);
  fillCircle(canvas, Brush::solid(kFace), cx, cy, kFaceRadius);

  for (int32_t k = 0; k < kKnurlCount; ++k)
    radialLine(canvas, kKnurlPen, cx, cy, kKnurlAngleStep * k, kKnurlInnerRadius,
               kKnurlOuterRadius);

  fillCircle(canvas,
             Brush::gradient({cx + kCapLightOffset.x, cy + kCapLightOffset.y}, kCapLight,
                             {cx + kCapDarkOffset.x, cy + kCapDarkOffset.y}, kCapDark),
             cx, cy, kCapRadius);
  canvas.strokeArc(kRimLightPen, cx - kRimLightRadius, cy - kRimLightRadius, 2 * kRimLightRadius,
                   2 * kRimLightRadius, kRimLightStart, kRimLightSweep);

  radialLine(canvas, kPointerPen, cx, cy, kPointerSweep * v + kPointerAngleAtZero,
             kPointerInnerRadius, kPointerOuterRadius);
  fillCircle(canvas, Brush::solid(kCentre), cx, cy, kCentreRadius);
}
