// The Windows canvas: the GDI layer on the back buffer's device context, the shape layer
// through a GDI+ graphics context on the same surface.
#pragma once

#include <windows.h>

#include "editor/Canvas.h"
#include "editor/win32/GdiplusFlat.h"

// The GDI objects an open editor keeps: its fonts and the Original background brush.
struct GdiResources {
  HFONT fonts[kNumEditorFonts];  // in EditorFont order
  HBRUSH backgroundBrush;
};

// A GDI font of the given look (negative height: character height in pixels).
HFONT makeGdiFont(const FontSpec& font);

class GdiCanvas : public Canvas {
 public:
  // Draws on `dc` with the editor's fonts and background brush.
  GdiCanvas(HDC dc, const GdiResources& resources);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

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
  gdiplus::GpBrush* makeBrush(const Brush& brush);
  gdiplus::GpPen* makePen(const Pen& pen);
  void dropBrush(gdiplus::GpBrush* brush);
  // Makes the brush, fills with it through `fill` and deletes it again.
  template <class Fill>
  void fillWith(const Brush& brush, Fill fill) {
    gdiplus::GpBrush* made = makeBrush(brush);
    fill(made);
    dropBrush(made);
  }
  void dropPen(gdiplus::GpPen* pen);
  void selectTextStyle(EditorFont font, Rgb colour);

  HDC dc_;
  const GdiResources& resources_;
  gdiplus::GpGraphics* graphics_ = nullptr;
};
