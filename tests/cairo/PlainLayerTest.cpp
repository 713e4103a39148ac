// The plain layer on cairo: aliased fills, pens and outlines with the Windows pixel rules.
#include <gtest/gtest.h>

#include "editor/cairo/CairoCanvas.h"
#include "tests/cairo/TestSurface.h"

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kInk{250, 200, 40};

class PlainLayer : public ::testing::Test {
 protected:
  CairoFonts fonts;
  TestSurface surface{80, 80, kBlack};
  CairoCanvas canvas{surface.surface(), fonts};
};

TEST_F(PlainLayer, FillCoversRightOrBottomEdge) {
  canvas.fillSolid(RectI{10, 12, 30, 20}, kInk);
  EXPECT_EQ(surface.pixel(10, 12), kInk);
  EXPECT_EQ(surface.pixel(29, 19), kInk);
  EXPECT_TRUE(surface.isGround(30, 15));  // right excluded
  EXPECT_TRUE(surface.isGround(20, 20));  // bottom excluded
  EXPECT_TRUE(surface.isGround(9, 15));
  EXPECT_TRUE(surface.isGround(20, 11));
}

TEST_F(PlainLayer, BackgroundFillIsNotTheEditorGround) {
  canvas.fillBackground(RectI{0, 0, 5, 5});
  EXPECT_EQ(surface.pixel(2, 2), kEditorBackground);
  EXPECT_TRUE(surface.isGround(5, 5));
}

TEST_F(PlainLayer, InvertedFillPaintsSomething) {
  canvas.fillSolid(RectI{30, 30, 10, 10}, kInk);
  EXPECT_TRUE(surface.changedBox().empty());
}

TEST_F(PlainLayer, ThinLineDrawsItsLastPixel) {
  canvas.lineSegment(5, 5, 15, 5, kInk, 1);
  canvas.lineSegment(5, 10, 5, 20, kInk, 1);
  EXPECT_EQ(surface.pixel(5, 5), kInk);
  EXPECT_EQ(surface.pixel(14, 5), kInk);
  EXPECT_TRUE(surface.isGround(15, 5));
  EXPECT_EQ(surface.pixel(5, 19), kInk);
  EXPECT_TRUE(surface.isGround(5, 20));
}

TEST_F(PlainLayer, DiagonalThinLineSkipsPixels) {
  canvas.lineSegment(10, 10, 20, 20, kInk, 1);
  for (int32_t i = 0; i < 10; ++i)
    EXPECT_EQ(surface.pixel(10 + i, 10 + i), kInk) << i;
  EXPECT_TRUE(surface.isGround(20, 20));
  EXPECT_TRUE(surface.isGround(11, 10));
}

// A wide pen is centred on the pixel the coordinates name and keeps both ends, rounded.
TEST_F(PlainLayer, WidePenOffCentreOrWithoutEnds) {
  canvas.lineSegment(20, 30, 40, 30, kInk, 4);
  const PixelBox box = surface.changedBox();
  EXPECT_EQ(box.top, 28);
  EXPECT_EQ(box.bottom, 31);
  EXPECT_EQ(box.left, 18);
  EXPECT_EQ(box.right, 41);
  // Round ends: the corners of the square end are left out.
  EXPECT_TRUE(surface.isGround(18, 28));
  EXPECT_TRUE(surface.isGround(41, 31));
  EXPECT_EQ(surface.countBlends(kInk), 0);
}

TEST_F(PlainLayer, EllipseOutlineOutsideItsBox) {
  canvas.outlineEllipse(RectI{10, 20, 41, 51}, kInk, 1);
  const PixelBox box = surface.changedBox();
  EXPECT_EQ(box.left, 10);
  EXPECT_EQ(box.top, 20);
  EXPECT_EQ(box.right, 40);  // right and bottom excluded
  EXPECT_EQ(box.bottom, 50);
  EXPECT_EQ(surface.pixel(10, 35), kInk);
  EXPECT_EQ(surface.pixel(25, 50), kInk);
  EXPECT_TRUE(surface.isGround(25, 35));  // hollow
  EXPECT_EQ(surface.countBlends(kInk), 0);
}

// An even pen covers the outline pixel and the one before it: width 2 reaches one pixel out
// at the left and top and one pixel in at the right and bottom.
TEST_F(PlainLayer, WideEllipseOutlineOffItsPixels) {
  canvas.outlineEllipse(RectI{10, 20, 41, 51}, kInk, 2);
  const PixelBox box = surface.changedBox();
  EXPECT_EQ(box.left, 9);
  EXPECT_EQ(box.top, 19);
  EXPECT_EQ(box.right, 40);
  EXPECT_EQ(box.bottom, 50);
  EXPECT_EQ(surface.pixel(9, 35), kInk);
  EXPECT_EQ(surface.pixel(10, 35), kInk);
  EXPECT_TRUE(surface.isGround(11, 35));
  EXPECT_EQ(surface.pixel(39, 35), kInk);
  EXPECT_TRUE(surface.isGround(38, 35));
  EXPECT_EQ(surface.countBlends(kInk), 0);
}

}  // namespace
