// The editor's drawing interface: every painter draws through it, so the painters and their
// geometry stay free of any platform. Two layers share one surface, the back buffer:
// - the plain layer: aliased solid fills, outlined ellipses, line segments and 8-bit text in
//   the editor's own fonts (the Original skin, the appearance bar and the Legato switch);
// - the shape layer: anti-aliased shapes in ARGB colours with float or integer geometry,
//   two-point gradients, pens with caps, arcs and cardinal curves, plus UTF-16 face text
//   in a font made for each string (the Vintage and Silver skins).
// Windows maps each call onto GDI or GDI+, Linux onto cairo; the recording implementation
// keeps the calls for tests.
#pragma once

#include <cstdint>
#include <string_view>

// 8-bit RGB: the plain layer's fills and pens, and every text colour.
struct Rgb {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// 32-bit ARGB of the shape layer: alpha in the top byte, then red, green, blue.
using Argb = uint32_t;

// The text colour for an ARGB constant: alpha dropped.
constexpr Rgb rgbOf(Argb colour) {
  return Rgb{static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
             static_cast<uint8_t>(colour)};
}

// A pixel rectangle: right and bottom are excluded when filled.
struct RectI {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
  friend bool operator==(const RectI&, const RectI&) = default;
};

struct PointF {
  float x;
  float y;
  friend bool operator==(const PointF&, const PointF&) = default;
};

// A font by what it looks like: family name, character (em) height in pixels and weight.
struct FontSpec {
  const char* family;  // "Segoe UI", "Arial" or "Consolas"
  int32_t pixelSize;
  int32_t weight;  // 400 regular, 700 bold
};

constexpr int32_t kRegularWeight = 400;
constexpr int32_t kBoldWeight = 700;

// The fonts the editor makes once per open, for the 8-bit text of the plain layer.
enum class EditorFont : uint8_t {
  Label,  // captions, values, text lines
  Title,  // the Original title
  Small,  // appearance bar and Legato switch captions
};
constexpr int32_t kNumEditorFonts = 3;

constexpr FontSpec kEditorFonts[kNumEditorFonts] = {
    {"Segoe UI", 13, kRegularWeight},
    {"Segoe UI", 36, kBoldWeight},
    {"Segoe UI", 11, kRegularWeight},
};

constexpr const FontSpec& fontSpecOf(EditorFont font) {
  return kEditorFonts[static_cast<int32_t>(font)];
}

// The editor's background brush, also made once per open: the Original skin's ground.
constexpr Rgb kEditorBackground{20, 34, 38};

// Text in a rectangle is one line, vertically centred on the font's cell height, drawn with
// no prefix processing; it is placed at the left edge or centred horizontally.
enum class TextAlign : uint8_t { Left, Centre };

enum class LineCap : uint8_t { Flat = 0, Round = 2 };

struct Pen {
  Argb colour;
  float width;
  LineCap startCap = LineCap::Flat;
  LineCap endCap = LineCap::Flat;
};

// A solid colour or a two-point linear gradient (tiled beyond its ends). A gradient given by
// integer points is made with the integer variant of the call.
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

class Canvas {
 public:
  virtual ~Canvas() = default;

  // --- Plain layer -----------------------------------------------------------------------
  // Keeps and restores the whole drawing state.
  virtual void saveState() = 0;
  virtual void restoreState() = 0;
  // Fill with the editor's background brush (made once per open).
  virtual void fillBackground(RectI rect) = 0;
  // Fill with a solid brush made for this call.
  virtual void fillRect(RectI rect, Rgb colour) = 0;
  // Ellipse outline in a solid pen of the given width, with the hollow brush.
  virtual void outlineEllipse(RectI bounds, Rgb colour, int32_t penWidth) = 0;
  // Line segment in a solid pen of the given width (move to the start, draw to the end).
  virtual void lineSegment(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgb colour,
                           int32_t penWidth) = 0;
  // 8-bit text with a transparent background: at a point, or inside a rectangle.
  virtual void textAt(int32_t x, int32_t y, std::string_view text, EditorFont font, Rgb colour) = 0;
  virtual void textIn(RectI rect, std::string_view text, EditorFont font, Rgb colour,
                      TextAlign align) = 0;

  // --- Shape layer -----------------------------------------------------------------------
  // Opens the graphics context of one painter (anti-aliasing on) and closes it.
  virtual void openShapes() = 0;
  virtual void closeShapes() = 0;
  virtual void setAntiAlias(bool on) = 0;
  virtual void fillRectangle(const Brush& brush, float x, float y, float width, float height) = 0;
  virtual void fillRectangleInt(const Brush& brush, int32_t x, int32_t y, int32_t width,
                                int32_t height) = 0;
  virtual void fillEllipse(const Brush& brush, float x, float y, float width, float height) = 0;
  virtual void fillEllipseInt(const Brush& brush, int32_t x, int32_t y, int32_t width,
                              int32_t height) = 0;
  virtual void drawLine(const Pen& pen, PointF from, PointF to) = 0;
  virtual void drawRectangle(const Pen& pen, float x, float y, float width, float height) = 0;
  virtual void drawEllipse(const Pen& pen, float x, float y, float width, float height) = 0;
  // Arc of the ellipse in (x, y, width, height); angles in degrees clockwise from +x.
  virtual void drawArc(const Pen& pen, float x, float y, float width, float height,
                       float startAngle, float sweepAngle) = 0;
  // Cardinal spline through the points, tension 0.5.
  virtual void drawCurve(const Pen& pen, const PointF* points, int32_t count) = 0;
  // UTF-16 text over everything drawn so far (the shapes are completed first), in a font
  // made for this string, not anti-aliased by the shape layer's setting.
  virtual void drawFaceText(std::u16string_view text, const FontSpec& font, Rgb colour, RectI rect,
                            TextAlign align) = 0;
};
