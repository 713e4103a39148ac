// An image surface for the canvas tests: a back buffer of one colour to draw on, with pixel
// read-back and the box of the pixels that changed.
#pragma once

#include <cairo.h>

#include <cstdint>

#include "editor/Canvas.h"

// A box of pixels, all bounds inclusive; empty when right < left.
struct PixelBox {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
  bool empty() const { return right < left || bottom < top; }
  double centreX() const { return (left + right + 1) / 2.0; }
  double centreY() const { return (top + bottom + 1) / 2.0; }
};

class TestSurface {
 public:
  TestSurface(int32_t width, int32_t height, Rgb ground);
  ~TestSurface();
  TestSurface(const TestSurface&) = delete;
  TestSurface& operator=(const TestSurface&) = delete;

  cairo_surface_t* surface() const { return surface_; }
  Rgb pixel(int32_t x, int32_t y) const;
  bool isGround(int32_t x, int32_t y) const { return pixel(x, y) == ground_; }
  // Pixels that are neither the ground colour nor `colour`: blends made by anti-aliasing.
  int32_t countBlends(Rgb colour) const;
  // The box around every pixel that no longer has the ground colour, within `area`
  // (whole surface when omitted).
  PixelBox changedBox() const;
  PixelBox changedBox(RectI area) const;

 private:
  cairo_surface_t* surface_;
  int32_t width_;
  int32_t height_;
  Rgb ground_;
};
