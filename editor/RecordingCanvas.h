// A canvas that keeps every call instead of drawing, for tests of the painters.
#pragma once

#include <string>
#include <vector>

#include "editor/Canvas.h"

enum class DrawOp : uint8_t {
  SaveState,
  RestoreState,
  FillBackground,
  FillSolid,
  OutlineEllipse,
  LineSegment,
  TextAt,
  TextIn,
  OpenShapes,
  CloseShapes,
  SetSmoothing,
  FillRectangle,
  FillPixelRectangle,
  FillEllipse,
  FillPixelEllipse,
  StrokeLine,
  StrokeRectangle,
  StrokeEllipse,
  StrokeArc,
  StrokeCurve,
  DrawFaceText,
};

// One recorded call. Only the fields that the call has are meaningful:
// - rect: plain-layer rectangles, and (x, y, x + width, y + height) of integer shapes;
// - coords: float geometry in call order (x, y, width, height, angles, line or curve points);
// - rgb / penWidth: plain-layer colour and pen width; pen / brush: shape pen and brush;
// - text: 8-bit text widened byte by byte, or the UTF-16 face text.
struct DrawCall {
  DrawOp op;
  RectI rect{};
  std::vector<float> coords;
  Rgb rgb{};
  int32_t penWidth = 0;
  Pen pen{};
  Brush brush{};
  std::u16string text;
  EditorFont font = EditorFont::Label;
  FontSpec faceFont{};
  std::string faceName;
  TextAlign align = TextAlign::Left;
  bool flag = false;  // SetSmoothing: on or off
};

class RecordingCanvas : public Canvas {
 public:
  std::vector<DrawCall> calls;

  // The calls of one kind, in order.
  std::vector<const DrawCall*> all(DrawOp op) const;
  // The first text call (TextAt, TextIn or DrawFaceText) drawing exactly this text, or null.
  const DrawCall* findText(std::u16string_view text) const;
  const DrawCall* findText(std::string_view text) const;

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
  DrawCall& add(DrawOp op);
};

// 8-bit text widened byte by byte, as the Vintage and Silver skins draw value texts.
std::u16string widen(std::string_view text);
