// The Linux canvas: every drawing call on a cairo image surface, the back buffer of one paint.
// The plain layer is drawn aliased with the pixel rules of the Windows plain layer (fills
// exclude right and bottom, pens centred on integer pixel positions, a one-pixel line leaves
// out its last pixel); the shape layer puts pixel centres on integer coordinates as the
// Windows shape layer does, and draws anti-aliased or not as asked.
#pragma once

#include <cairo.h>

#include <string>

#include "editor/Canvas.h"
#include "editor/cairo/CairoFonts.h"

class CairoCanvas : public Canvas {
 public:
  // Draws on `backBuffer` (an RGB24 or ARGB32 image surface the caller owns) with the fonts
  // of the open editor.
  CairoCanvas(cairo_surface_t* backBuffer, const CairoFonts& fonts);
  ~CairoCanvas() override;
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;

  // The plain layer (PlainCanvas.h).
  void saveState() override;
  void restoreState() override;
  void fillBackground(RectI rect) override;
  void fillSolid(RectI rect, Rgb colour) override;
  void outlineEllipse(RectI bounds, Rgb colour, int32_t penWidth) override;
  void lineSegment(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgb colour,
                   int32_t penWidth) override;
  void textAt(int32_t x, int32_t y, std::string_view text, EditorFont font, Rgb colour) override;
  void textIn(RectI rect, std::string_view text, EditorFont font, Rgb colour,
              TextAlign align) override;

  // The shape layer (ShapeCanvas.h).
  void openShapes() override;
  void closeShapes() override;
  void setSmoothing(bool on) override;
  void fillRectangle(const Brush& brush, float x, float y, float width, float height) override;
  void fillPixelRectangle(const Brush& brush, int32_t x, int32_t y, int32_t width,
                          int32_t height) override;
  void fillEllipse(const Brush& brush, float x, float y, float width, float height) override;
  void fillPixelEllipse(const Brush& brush, int32_t x, int32_t y, int32_t width,
                        int32_t height) override;
  void strokeLine(const Pen& pen, PointF from, PointF to) override;
  void strokeRectangle(const Pen& pen, float x, float y, float width, float height) override;
  void strokeEllipse(const Pen& pen, float x, float y, float width, float height) override;
  void strokeArc(const Pen& pen, float x, float y, float width, float height, float startAngle,
                 float sweepAngle) override;
  void strokeCurve(const Pen& pen, const PointF* points, int32_t count) override;
  void drawFaceText(std::u16string_view text, const FontSpec& font, Rgb colour, RectI rect,
                    TextAlign align) override;

 private:
  struct TextCell {
    int32_t ascent;
    int32_t height;
    double size;  // em height in pixels
  };
  TextCell selectFont(const FontSpec& font, Rgb colour);
  void showLine(const std::string& utf8, TextAlign align, int32_t left, int32_t right,
                double baseline, double size);
  void textAtPoint(const std::string& utf8, const FontSpec& font, Rgb colour, int32_t x, int32_t y);
  void textInRect(const std::string& utf8, const FontSpec& font, Rgb colour, RectI rect,
                  TextAlign align);
  void fillPlainRect(RectI rect, Rgb colour);
  void plotThinLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1);

  void beginShape();
  void endShape();
  bool setBrush(const Brush& brush);
  void fillShape(const Brush& brush);
  void strokeShape(const Pen& pen);
  void fillRectangleShape(const Brush& brush, double x, double y, double width, double height);
  void fillEllipseShape(const Brush& brush, double x, double y, double width, double height);

  cairo_t* cr_;
  const CairoFonts& fonts_;
  cairo_font_options_t* layoutOptions_;
  cairo_font_options_t* drawOptions_;
  int32_t savedStates_ = 0;
  bool shapesAntiAliased_ = true;
};
