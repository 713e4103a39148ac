// The shape layer: smoothed shapes in ARGB colours on float or whole-pixel geometry, two-point
// gradients, strokes with round or flat ends, arcs and curves through points, and UTF-16 face
// text in a font made for each string. The Vintage and Silver skins draw on it alone.
#pragma once

#include <cstdint>
#include <string_view>

#include "editor/DrawingTypes.h"

// 32-bit ARGB: alpha in the top byte, then red, green, blue.
using Argb = uint32_t;

// The text colour for an ARGB constant: alpha dropped.
constexpr Rgb rgbOf(Argb colour) {
  return Rgb{static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
             static_cast<uint8_t>(colour)};
}

struct PointF {
  float x;
  float y;
  friend bool operator==(const PointF&, const PointF&) = default;
};

enum class LineCap : uint8_t { Flat = 0, Round = 2 };

// How a stroke is drawn: colour, width (centred on the path) and the shape of its two ends.
struct Pen {
  Argb colour;
  float width;
  LineCap startCap = LineCap::Flat;
  LineCap endCap = LineCap::Flat;
};

// How a shape is filled: one colour, or a two-point linear gradient repeated beyond its ends.
// A gradient given by whole-pixel points is kept apart because it is made differently.
struct Brush {
  enum class Kind : uint8_t { Solid, Gradient, GradientInt };
  Kind kind;
  Argb from;
  Argb to;
  PointF start;
  PointF end;

  static constexpr Brush solid(Argb colour) {
    return Brush{Kind::Solid, colour, colour, {0, 0}, {0, 0}};
  }
  static constexpr Brush gradient(PointF start, Argb from, PointF end, Argb to) {
    return Brush{Kind::Gradient, from, to, start, end};
  }
  static constexpr Brush gradientInt(int32_t x0, int32_t y0, Argb from, int32_t x1, int32_t y1,
                                     Argb to) {
    return Brush{Kind::GradientInt,
                 from,
                 to,
                 {static_cast<float>(x0), static_cast<float>(y0)},
                 {static_cast<float>(x1), static_cast<float>(y1)}};
  }
};

class ShapeCanvas {
 public:
  virtual ~ShapeCanvas() = default;

  // Begins and ends one painter's shapes; smoothing is on at the beginning.
  virtual void openShapes() = 0;
  virtual void closeShapes() = 0;
  virtual void setSmoothing(bool on) = 0;
  // Filled shapes given as (x, y, width, height): on float geometry, or on whole pixels,
  // which place their edges differently.
  virtual void fillRectangle(const Brush& brush, float x, float y, float width, float height) = 0;
  virtual void fillPixelRectangle(const Brush& brush, int32_t x, int32_t y, int32_t width,
                                  int32_t height) = 0;
  virtual void fillEllipse(const Brush& brush, float x, float y, float width, float height) = 0;
  virtual void fillPixelEllipse(const Brush& brush, int32_t x, int32_t y, int32_t width,
                                int32_t height) = 0;
  // Strokes along a path.
  virtual void strokeLine(const Pen& pen, PointF from, PointF to) = 0;
  virtual void strokeRectangle(const Pen& pen, float x, float y, float width, float height) = 0;
  virtual void strokeEllipse(const Pen& pen, float x, float y, float width, float height) = 0;
  // Arc of the ellipse in (x, y, width, height); angles in degrees clockwise from +x.
  virtual void strokeArc(const Pen& pen, float x, float y, float width, float height,
                         float startAngle, float sweepAngle) = 0;
  // Cardinal spline through the points, tension 0.5.
  virtual void strokeCurve(const Pen& pen, const PointF* points, int32_t count) = 0;
  // UTF-16 text over every shape drawn so far, in a font made for this string; smoothing
  // does not apply to it.
  virtual void drawFaceText(std::u16string_view text, const FontSpec& font, Rgb colour, RectI rect,
                            TextAlign align) = 0;
};
