// Whole paints on cairo: every skin drawn to its last call, and the calls that could
// leave cairo's context in an error state (which silently ends all later drawing).
#include <gtest/gtest.h>

#include <limits>

#include "editor/Layout.h"
#include "editor/Painters.h"
#include "editor/cairo/CairoCanvas.h"
#include "params/Programs.h"
#include "params/SkinId.h"
#include "tests/cairo/TestSurface.h"

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kInk{250, 200, 40};

struct SkinMarks {
  int32_t skin;
  Rgb bar;          // the appearance bar's ground, drawn after the skin
  Rgb legatoFrame;  // the Legato switch's frame, drawn last
};

constexpr SkinMarks kSkinMarks[] = {
    {Original, {20, 34, 38}, {80, 107, 109}},
    {Vintage, {198, 190, 157}, {129, 131, 104}},
    {Silver, {204, 216, 224}, {88, 107, 120}},
};

TEST(CairoPaint, FaceStopsBeforeItsLastCalls) {
  const CairoFonts fonts;
  double values[kNumParams];
  programValues(0, values);
  for (const SkinMarks& marks : kSkinMarks) {
    TestSurface surface(kWindowWidth, kWindowHeight, kBlack);
    {
      CairoCanvas canvas(surface.surface(), fonts);
      paintEditor(canvas, values, marks.skin, -1);
    }
    EXPECT_EQ(surface.pixel(514, 16), marks.bar) << marks.skin;
    EXPECT_EQ(surface.pixel(658, 345), marks.legatoFrame) << marks.skin;
    EXPECT_EQ(surface.pixel(727, 382), marks.legatoFrame) << marks.skin;
    EXPECT_FALSE(surface.isGround(430, 265)) << marks.skin;
  }
}

class CanvasState : public ::testing::Test {
 protected:
  // Draws a mark after the calls under test: it appears only if the context still works.
  bool laterDrawingWorks() {
    canvas.fillRect(RectI{0, 0, 4, 4}, kInk);
    return surface.pixel(1, 1) == kInk;
  }

  CairoFonts fonts;
  TestSurface surface{60, 60, kBlack};
  CairoCanvas canvas{surface.surface(), fonts};
};

TEST_F(CanvasState, UnmatchedRestoreStopsLaterDrawing) {
  canvas.restoreState();
  canvas.saveState();
  canvas.restoreState();
  canvas.restoreState();
  EXPECT_TRUE(laterDrawingWorks());
}

TEST_F(CanvasState, NestedStatesLeaveTheContextUnbalanced) {
  canvas.saveState();
  canvas.saveState();
  canvas.textAt(10, 10, "x", EditorFont::Title, kInk);
  canvas.restoreState();
  canvas.textIn(RectI{10, 30, 50, 50}, "x", EditorFont::Small, kInk, TextAlign::Centre);
  canvas.restoreState();
  EXPECT_TRUE(laterDrawingWorks());
}

TEST_F(CanvasState, DegenerateShapesStopLaterDrawing) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Pen pen{0xFFFFFFFF, 1.0f};
  const PointF one[] = {{5, 5}};
  canvas.openShapes();
  canvas.drawArc(pen, 10, 10, 0, 20, 0, 90);
  canvas.drawArc(pen, 10, 10, 20, 20, nan, 90);
  canvas.drawEllipse(pen, 10, 10, 20, 0);
  canvas.fillEllipse(Brush::solid(0xFFFFFFFF), 10, 10, nan, 10);
  canvas.fillEllipseInt(Brush::solid(0xFFFFFFFF), 10, 10, -5, 10);
  canvas.drawRectangle(pen, 10, 10, 0, 0);
  canvas.drawCurve(pen, one, 1);
  canvas.drawCurve(pen, nullptr, 4);
  canvas.fillRectangle(Brush::gradient(PointF{3, 3}, 0xFF000000, PointF{3, 3}, 0xFFFFFFFF), 0, 0,
                       60, 60);
  canvas.outlineEllipse(RectI{10, 10, 10, 30}, kInk, 2);
  canvas.drawFaceText(u"x", FontSpec{nullptr, 0, kRegularWeight}, kInk, RectI{0, 0, 60, 60},
                      TextAlign::Left);
  canvas.closeShapes();
  EXPECT_TRUE(laterDrawingWorks());
}

}  // namespace
