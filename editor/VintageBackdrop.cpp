// Drawing of the Vintage backdrop.
#include "editor/VintageBackdrop.h"

#include <cmath>

#include "editor/Layout.h"
#include "editor/SkinDrawing.h"

namespace {

constexpr Argb kGround = 0xFF2C1A11;

// Cheeks: 24-px wooden strips at both window edges, dark on the outside.
constexpr int32_t kCheekWidth = 24;
constexpr int32_t kLeftCheekX = 0;
constexpr int32_t kRightCheekX = kWindowWidth - kCheekWidth;
constexpr Argb kCheekOuter = 0xFF3C2012;
constexpr Argb kCheekInner = 0xFF86522B;
constexpr Pen kCheekHighlightPen{0xAABA7944, 1.0f};
constexpr int32_t kCheekHighlightX = 1;
constexpr Pen kCheekShadowPen{0xC81E140D, 2.0f};
constexpr int32_t kCheekShadowX = 22;

// Grain: forty wavy curves per cheek, every third one light, through six points 106 px apart.
constexpr int32_t kGrainCurves = 40;
constexpr int32_t kGrainPoints = 6;
constexpr int32_t kLightGrainEvery = 3;
constexpr float kGrainWidth = 0.7f;
constexpr Argb kGrainLight = 0x3CCB8D4D;
constexpr Argb kGrainDark = 0x4128170E;
constexpr double kGrainSpacing = 0.61;
constexpr double kGrainWave = 1.7;
constexpr double kGrainPhasePerPoint = 0.7;
constexpr double kGrainPhasePerCurve = 1.3;
constexpr double kGrainPointDistance = 106.0;

// Centre panel between the cheeks, darkening towards the lower right.
constexpr int32_t kPanelLeft = kCheekWidth;
constexpr int32_t kPanelRight = kRightCheekX;
constexpr Argb kPanelTopLeft = 0xFF2B312B;
constexpr Argb kPanelBottomRight = 0xFF171D1A;

// Brushing: faint horizontal lines every 3 px whose alpha cycles through 4 to 8.
constexpr int32_t kBrushFirstY = 3;
constexpr int32_t kBrushLastY = 525;
constexpr int32_t kBrushSpacing = 3;
constexpr int32_t kBrushLeft = 25;
constexpr int32_t kBrushRight = 835;
constexpr Argb kBrushColour = 0x8B9277;
constexpr int32_t kBrushAlphaCycle = 5;
constexpr int32_t kBrushAlphaBase = 4;

// Header strip: cream, finely lined, with a light top edge and a dark bottom edge.
constexpr Argb kStripColour = 0xFFC6BE9D;
constexpr int32_t kStripLeft = 25;
constexpr int32_t kStripTop = 12;
constexpr int32_t kStripWidth = 810;
constexpr int32_t kStripHeight = 75;
constexpr Pen kStripLinePen{0x12F5ECC6, 1.0f};
constexpr int32_t kStripLinesFirstY = 14;
constexpr int32_t kStripLinesLastY = 84;
constexpr int32_t kStripLineSpacing = 2;
constexpr int32_t kStripLineLeft = 26;
constexpr int32_t kStripLineRight = 834;
constexpr Pen kStripTopEdgePen{0xFFEBDEBA, 1.0f};
constexpr Pen kStripBottomEdgePen{0xFF050908, 2.0f};
constexpr int32_t kStripEdgeRight = 835;
constexpr int32_t kStripBottomEdgeY = 87;

void drawGrain(ShapeCanvas& canvas, int32_t x0) {
  for (int32_t i = 0; i < kGrainCurves; ++i) {
    PointF points[kGrainPoints];
    for (int32_t j = 0; j < kGrainPoints; ++j) {
      const double x = x0 + kGrainSpacing * i +
                       kGrainWave * std::sin(kGrainPhasePerPoint * j + kGrainPhasePerCurve * i);
      points[j] = PointF{static_cast<float>(x), static_cast<float>(kGrainPointDistance * j)};
    }
    const Pen pen{i % kLightGrainEvery == 0 ? kGrainLight : kGrainDark, kGrainWidth};
    canvas.strokeCurve(pen, points, kGrainPoints);
  }
}

void drawCheek(ShapeCanvas& canvas, int32_t x0) {
  canvas.fillPixelRectangle(
      Brush::gradientInt(x0, 0, kCheekOuter, x0 + kCheekWidth, 0, kCheekInner), x0, 0, kCheekWidth,
      kWindowHeight);
  drawGrain(canvas, x0);
  drawPixelLine(canvas, kCheekHighlightPen, x0 + kCheekHighlightX, 0, x0 + kCheekHighlightX,
                kWindowHeight);
  drawPixelLine(canvas, kCheekShadowPen, x0 + kCheekShadowX, 0, x0 + kCheekShadowX, kWindowHeight);
}

void drawBrushedPanel(ShapeCanvas& canvas) {
  canvas.fillPixelRectangle(Brush::gradientInt(kPanelLeft, 0, kPanelTopLeft, kPanelRight,
                                               kWindowHeight, kPanelBottomRight),
                            kPanelLeft, 0, kPanelRight - kPanelLeft, kWindowHeight);
  for (int32_t y = kBrushFirstY; y <= kBrushLastY; y += kBrushSpacing) {
    const auto alpha = static_cast<Argb>(y % kBrushAlphaCycle + kBrushAlphaBase);
    drawPixelLine(canvas, Pen{(alpha << 24) | kBrushColour, 1.0f}, kBrushLeft, y, kBrushRight, y);
  }
}

void drawHeaderStrip(ShapeCanvas& canvas) {
  canvas.fillPixelRectangle(Brush::solid(kStripColour), kStripLeft, kStripTop, kStripWidth,
                            kStripHeight);
  for (int32_t y = kStripLinesFirstY; y <= kStripLinesLastY; y += kStripLineSpacing)
    drawPixelLine(canvas, kStripLinePen, kStripLineLeft, y, kStripLineRight, y);
  drawPixelLine(canvas, kStripTopEdgePen, kStripLeft, kStripTop, kStripEdgeRight, kStripTop);
  drawPixelLine(canvas, kStripBottomEdgePen, kStripLeft, kStripBottomEdgeY, kStripEdgeRight,
                kStripBottomEdgeY);
}

}  // namespace

void drawVintageBackdrop(ShapeCanvas& canvas) {
  canvas.fillPixelRectangle(Brush::solid(kGround), 0, 0, kWindowWidth, kWindowHeight);
  drawCheek(canvas, kLeftCheekX);
  drawCheek(canvas, kRightCheekX);
  drawBrushedPanel(canvas);
  drawHeaderStrip(canvas);
}
