// Canvas calls mapped onto cairo with the pixel rules of the Windows layers.
#include "editor/cairo/CairoCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "editor/cairo/ShapeGeometry.h"
#include "editor/cairo/Utf8Text.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
// Integer positions name pixel centres in both Windows layers; cairo's pixel centres lie
// half a pixel further on.
constexpr double kPixelCentre = 0.5;
constexpr double kThinnestPen = 1.0;
// Bounds of the horizontal fitting of smoothed text into its hinted width.
constexpr double kNarrowestFit = 0.8;
constexpr double kWidestFit = 1.25;
// The Windows face text is cut at this many UTF-16 units.
constexpr size_t kMaxFaceText = 255;

double channel(uint32_t value, int shift) {
  return static_cast<double>((value >> shift) & 0xFF) / 255.0;
}

void setColour(cairo_t* cr, Rgb colour) {
  cairo_set_source_rgb(cr, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0);
}

void addStop(cairo_pattern_t* pattern, double offset, Argb colour) {
  cairo_pattern_add_color_stop_rgba(pattern, offset, channel(colour, 16), channel(colour, 8),
                                    channel(colour, 0), channel(colour, 24));
}

bool isDrawableSize(double width, double height) {
  return std::isfinite(width) && std::isfinite(height) && width > 0 && height > 0;
}

// An ellipse path in the box; the caller has checked the box has an area.
void addEllipse(cairo_t* cr, double x, double y, double width, double height) {
  cairo_save(cr);
  cairo_translate(cr, x + width / 2, y + height / 2);
  cairo_scale(cr, width / 2, height / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_close_path(cr);
  cairo_restore(cr);
}

// Where a plain-layer pen of this width is centred, for a coordinate c naming the pixel that
// spans c to c + 1: an odd width on the pixel's centre, an even width on its leading edge, so
// that a width of w covers w whole pixels, as GDI's pens do.
double penCentre(int32_t coordinate, int32_t penWidth) {
  return coordinate + (penWidth % 2 != 0 ? kPixelCentre : 0.0);
}

// GDI rounds its cell metrics to whole pixels, halves up.
int32_t roundMetric(double pixels) {
  return static_cast<int32_t>(std::floor(pixels + 0.5));
}

}  // namespace

CairoCanvas::CairoCanvas(cairo_surface_t* backBuffer, const CairoFonts& fonts)
    : cr_(cairo_create(backBuffer)),
      fonts_(fonts),
      layoutOptions_(cairo_font_options_create()),
      drawOptions_(cairo_font_options_create()) {
  // The layout takes whole-pixel advances from the bi-level hinted glyphs; the drawing
  // smooths the glyphs (grey levels), hinted vertically, at their unrounded advances.
  cairo_font_options_set_hint_metrics(layoutOptions_, CAIRO_HINT_METRICS_ON);
  cairo_font_options_set_hint_style(layoutOptions_, CAIRO_HINT_STYLE_FULL);
  cairo_font_options_set_antialias(layoutOptions_, CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_metrics(drawOptions_, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(drawOptions_, CAIRO_HINT_STYLE_FULL);
  cairo_font_options_set_antialias(drawOptions_, CAIRO_ANTIALIAS_GRAY);
}

CairoCanvas::~CairoCanvas() {
  cairo_destroy(cr_);
  cairo_font_options_destroy(drawOptions_);
  cairo_font_options_destroy(layoutOptions_);
}

// --- Plain layer -------------------------------------------------------------------------

void CairoCanvas::saveState() {
  cairo_save(cr_);
  ++savedStates_;
}

// An unmatched restore is ignored, as the Windows layer's is: in cairo it would put the
// context in an error state and end every later drawing of the paint.
void CairoCanvas::restoreState() {
  if (savedStates_ == 0) return;
  cairo_restore(cr_);
  --savedStates_;
}

void CairoCanvas::fillPlainRect(RectI rect, Rgb colour) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  cairo_save(cr_);
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
  setColour(cr_, colour);
  cairo_rectangle(cr_, rect.left, rect.top, static_cast<double>(rect.right) - rect.left,
                  static_cast<double>(rect.bottom) - rect.top);
  cairo_fill(cr_);
  cairo_restore(cr_);
}

void CairoCanvas::fillBackground(RectI rect) {
  fillPlainRect(rect, kEditorBackground);
}

void CairoCanvas::fillSolid(RectI rect, Rgb colour) {
  fillPlainRect(rect, colour);
}

// The outline runs through the box's edge pixels (right and bottom excluded), the pen
// centred on it.
void CairoCanvas::outlineEllipse(RectI bounds, Rgb colour, int32_t penWidth) {
  const int32_t pen = penWidth > 1 ? penWidth : 1;
  const double width = static_cast<double>(bounds.right) - bounds.left - 1;
  const double height = static_cast<double>(bounds.bottom) - bounds.top - 1;
  if (!isDrawableSize(width, height)) return;
  cairo_save(cr_);
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
  setColour(cr_, colour);
  cairo_new_path(cr_);
  addEllipse(cr_, penCentre(bounds.left, pen), penCentre(bounds.top, pen), width, height);
  cairo_set_line_width(cr_, pen);
  cairo_stroke(cr_);
  cairo_restore(cr_);
}

// A one-pixel pen steps from pixel to pixel and leaves out the end point, so that joined
// segments do not draw their joints twice.
void CairoCanvas::plotThinLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  const int32_t dx = std::abs(x1 - x0);
  const int32_t dy = -std::abs(y1 - y0);
  const int32_t stepX = x0 < x1 ? 1 : -1;
  const int32_t stepY = y0 < y1 ? 1 : -1;
  int32_t error = dx + dy;
  int32_t x = x0;
  int32_t y = y0;
  while (x != x1 || y != y1) {
    cairo_rectangle(cr_, x, y, 1, 1);
    const int32_t twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += stepX;
    }
    if (twice <= dx) {
      error += dx;
      y += stepY;
    }
  }
  cairo_fill(cr_);
}

// Wider pens are geometric: both ends included, with round caps.
void CairoCanvas::lineSegment(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgb colour,
                              int32_t penWidth) {
  cairo_save(cr_);
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
  setColour(cr_, colour);
  cairo_new_path(cr_);
  if (penWidth <= 1) {
    plotThinLine(x0, y0, x1, y1);
  } else {
    cairo_set_line_width(cr_, penWidth);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr_, penCentre(x0, penWidth), penCentre(y0, penWidth));
    cairo_line_to(cr_, penCentre(x1, penWidth), penCentre(y1, penWidth));
    cairo_stroke(cr_);
  }
  cairo_restore(cr_);
}

// Selects the font and colour and gives the text cell: ascent and descent rounded from the
// family's metrics at this em height, as GDI makes them. The caller brackets with save and
// restore.
CairoCanvas::TextCell CairoCanvas::selectFont(const FontSpec& font, Rgb colour) {
  const CairoFace& face = fonts_.faceFor(font);
  const double size = font.pixelSize > 0 ? font.pixelSize : 1;
  cairo_set_font_face(cr_, face.face);
  cairo_set_font_size(cr_, size);
  setColour(cr_, colour);
  const int32_t ascent = roundMetric(face.ascentPerEm * size);
  const int32_t descent = roundMetric(face.descentPerEm * size);
  return TextCell{ascent, ascent + descent, size};
}

// GDI lays text out in the whole-pixel advances of its bi-level hinted glyphs, whatever the
// smoothing, so smoothing never moves text. The smoothed glyphs keep their own proportions,
// which differ glyph by glyph from those advances, so the line is drawn in them and then
// fitted, evenly, into the width the hinted advances give it.
void CairoCanvas::showLine(const std::string& utf8, TextAlign align, int32_t left, int32_t right,
                           double baseline, double size) {
  cairo_set_font_options(cr_, layoutOptions_);
  cairo_text_extents_t hinted{};
  cairo_text_extents(cr_, utf8.c_str(), &hinted);
  const int32_t width = static_cast<int32_t>(std::lround(hinted.x_advance));
  const int32_t x = align == TextAlign::Centre ? (left + right - width) / 2 : left;
  cairo_set_font_options(cr_, drawOptions_);
  cairo_text_extents_t natural{};
  cairo_text_extents(cr_, utf8.c_str(), &natural);
  double fit = natural.x_advance > 0 ? width / natural.x_advance : 1.0;
  fit = std::clamp(fit, kNarrowestFit, kWidestFit);
  cairo_matrix_t matrix;
  cairo_matrix_init_scale(&matrix, size * fit, size);
  cairo_set_font_matrix(cr_, &matrix);
  cairo_move_to(cr_, x, baseline);
  cairo_show_text(cr_, utf8.c_str());
}

// The cell's top-left corner at (x, y).
void CairoCanvas::textAtPoint(const std::string& utf8, const FontSpec& font, Rgb colour, int32_t x,
                              int32_t y) {
  cairo_save(cr_);
  const TextCell cell = selectFont(font, colour);
  showLine(utf8, TextAlign::Left, x, x, static_cast<double>(y) + cell.ascent, cell.size);
  cairo_restore(cr_);
}

// One line clipped to the rectangle, its cell centred vertically and the line placed at the
// left edge or centred, both with the integer halving of the Windows layer.
void CairoCanvas::textInRect(const std::string& utf8, const FontSpec& font, Rgb colour, RectI rect,
                             TextAlign align) {
  cairo_save(cr_);
  const TextCell cell = selectFont(font, colour);
  const int32_t top = rect.top + (rect.bottom - rect.top) / 2 - cell.height / 2;
  cairo_rectangle(cr_, rect.left, rect.top, static_cast<double>(rect.right) - rect.left,
                  static_cast<double>(rect.bottom) - rect.top);
  cairo_clip(cr_);
  showLine(utf8, align, rect.left, rect.right, static_cast<double>(top) + cell.ascent, cell.size);
  cairo_restore(cr_);
}

void CairoCanvas::textAt(int32_t x, int32_t y, std::string_view text, EditorFont font, Rgb colour) {
  textAtPoint(utf8FromBytes(text), fontSpecOf(font), colour, x, y);
}

void CairoCanvas::textIn(RectI rect, std::string_view text, EditorFont font, Rgb colour,
                         TextAlign align) {
  textInRect(utf8FromBytes(text), fontSpecOf(font), colour, rect, align);
}

// --- Shape layer -------------------------------------------------------------------------

void CairoCanvas::openShapes() {
  shapesAntiAliased_ = true;
}

// Everything is on the surface as soon as it is drawn; nothing to complete.
void CairoCanvas::closeShapes() {}

void CairoCanvas::setSmoothing(bool on) {
  shapesAntiAliased_ = on;
}

void CairoCanvas::beginShape() {
  cairo_save(cr_);
  cairo_translate(cr_, kPixelCentre, kPixelCentre);
  cairo_set_antialias(cr_, shapesAntiAliased_ ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
  cairo_new_path(cr_);
}

void CairoCanvas::endShape() {
  cairo_new_path(cr_);
  cairo_restore(cr_);
}

// The brush as the source; false when it cannot be made (a gradient whose two points
// coincide), which draws nothing, as on Windows.
bool CairoCanvas::setBrush(const Brush& brush) {
  if (brush.kind == Brush::Kind::Solid) {
    cairo_set_source_rgba(cr_, channel(brush.from, 16), channel(brush.from, 8),
                          channel(brush.from, 0), channel(brush.from, 24));
    return true;
  }
  if (brush.start == brush.end) return false;
  cairo_pattern_t* pattern =
      cairo_pattern_create_linear(brush.start.x, brush.start.y, brush.end.x, brush.end.y);
  addStop(pattern, 0.0, brush.from);
  addStop(pattern, 1.0, brush.to);
  // Tiled: beyond either end the gradient starts over from its first colour.
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  cairo_set_source(cr_, pattern);
  cairo_pattern_destroy(pattern);
  return true;
}

void CairoCanvas::fillShape(const Brush& brush) {
  if (setBrush(brush)) cairo_fill(cr_);
}

void CairoCanvas::strokeShape(const Pen& pen) {
  cairo_set_source_rgba(cr_, channel(pen.colour, 16), channel(pen.colour, 8),
                        channel(pen.colour, 0), channel(pen.colour, 24));
  // A pen thinner than a pixel (zero included) draws one pixel wide, as on Windows.
  cairo_set_line_width(cr_, pen.width > kThinnestPen ? pen.width : kThinnestPen);
  // One cap for the whole path: the painters give both ends the same.
  cairo_set_line_cap(cr_,
                     pen.startCap == LineCap::Round ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER);
  cairo_stroke(cr_);
}

void CairoCanvas::fillRectangleShape(const Brush& brush, double x, double y, double width,
                                     double height) {
  if (!isDrawableSize(width, height)) return;
  beginShape();
  cairo_rectangle(cr_, x, y, width, height);
  fillShape(brush);
  endShape();
}

void CairoCanvas::fillEllipseShape(const Brush& brush, double x, double y, double width,
                                   double height) {
  if (!isDrawableSize(width, height)) return;
  beginShape();
  addEllipse(cr_, x, y, width, height);
  fillShape(brush);
  endShape();
}

void CairoCanvas::fillRectangle(const Brush& brush, float x, float y, float width, float height) {
  fillRectangleShape(brush, x, y, width, height);
}

void CairoCanvas::fillPixelRectangle(const Brush& brush, int32_t x, int32_t y, int32_t width,
                                     int32_t height) {
  fillRectangleShape(brush, x, y, width, height);
}

void CairoCanvas::fillEllipse(const Brush& brush, float x, float y, float width, float height) {
  fillEllipseShape(brush, x, y, width, height);
}

void CairoCanvas::fillPixelEllipse(const Brush& brush, int32_t x, int32_t y, int32_t width,
                                   int32_t height) {
  fillEllipseShape(brush, x, y, width, height);
}

void CairoCanvas::strokeLine(const Pen& pen, PointF from, PointF to) {
  beginShape();
  cairo_move_to(cr_, from.x, from.y);
  cairo_line_to(cr_, to.x, to.y);
  strokeShape(pen);
  endShape();
}

void CairoCanvas::strokeRectangle(const Pen& pen, float x, float y, float width, float height) {
  if (!isDrawableSize(width, height)) return;
  beginShape();
  cairo_rectangle(cr_, x, y, width, height);
  strokeShape(pen);
  endShape();
}

void CairoCanvas::strokeEllipse(const Pen& pen, float x, float y, float width, float height) {
  if (!isDrawableSize(width, height)) return;
  beginShape();
  addEllipse(cr_, x, y, width, height);
  strokeShape(pen);
  endShape();
}

void CairoCanvas::strokeArc(const Pen& pen, float x, float y, float width, float height,
                            float startAngle, float sweepAngle) {
  if (!isDrawableSize(width, height) || !std::isfinite(startAngle) || !std::isfinite(sweepAngle))
    return;
  const UnitArc arc = unitArcOf(width / 2.0, height / 2.0, startAngle, sweepAngle);
  beginShape();
  // The path is made on the unit circle under the ellipse's scaling; the pen is applied
  // after, unscaled.
  cairo_save(cr_);
  cairo_translate(cr_, x + width / 2.0, y + height / 2.0);
  cairo_scale(cr_, width / 2.0, height / 2.0);
  if (arc.end >= arc.start) {
    cairo_arc(cr_, 0, 0, 1, arc.start, arc.end);
  } else {
    cairo_arc_negative(cr_, 0, 0, 1, arc.start, arc.end);
  }
  cairo_restore(cr_);
  strokeShape(pen);
  endShape();
}

void CairoCanvas::strokeCurve(const Pen& pen, const PointF* points, int32_t count) {
  if (points == nullptr || count < 2) return;
  beginShape();
  cairo_move_to(cr_, points[0].x, points[0].y);
  for (int32_t i = 0; i + 1 < count; ++i) {
    const BezierSegment segment = cardinalSegment(points, count, i, kCurveTension);
    cairo_curve_to(cr_, segment.control1.x, segment.control1.y, segment.control2.x,
                   segment.control2.y, segment.to.x, segment.to.y);
  }
  strokeShape(pen);
  endShape();
}

void CairoCanvas::drawFaceText(std::u16string_view text, const FontSpec& font, Rgb colour,
                               RectI rect, TextAlign align) {
  textInRect(utf8FromUtf16(text.substr(0, kMaxFaceText)), font, colour, rect, align);
}
