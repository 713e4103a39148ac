// A canvas that passes every call on to another one but lets through only the chosen text
// runs: none (the face without its texts) or one (that text alone over the face).
#pragma once

#include "editor/Canvas.h"

class TextFilterCanvas : public Canvas {
 public:
  static constexpr int32_t kNoText = -1;

  // Passes text run number `keptText` (counted from 0 in drawing order) and no other.
  TextFilterCanvas(Canvas& target, int32_t keptText) : target_(target), keptText_(keptText) {}

  // The plain layer (PlainCanvas.h).
  void saveState() override { target_.saveState(); }
  void restoreState() override { target_.restoreState(); }
  void fillBackground(RectI rect) override { target_.fillBackground(rect); }
  void fillSolid(RectI rect, Rgb colour) override { target_.fillSolid(rect, colour); }
  void outlineEllipse(RectI bounds, Rgb colour, int32_t penWidth) override {
    target_.outlineEllipse(bounds, colour, penWidth);
  }
  void lineSegment(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgb colour,
                   int32_t penWidth) override {
    target_.lineSegment(x0, y0, x1, y1, colour, penWidth);
  }
  void textAt(int32_t x, int32_t y, std::string_view text, EditorFont font, Rgb colour) override;
  void textIn(RectI rect, std::string_view text, EditorFont font, Rgb colour,
              TextAlign align) override;

  // The shape layer (ShapeCanvas.h).
  void openShapes() override { target_.openShapes(); }
  void closeShapes() override { target_.closeShapes(); }
  void setSmoothing(bool on) override { target_.setSmoothing(on); }
  void fillRectangle(const Brush& brush, float x, float y, float width, float height) override {
    target_.fillRectangle(brush, x, y, width, height);
  }
  void fillPixelRectangle(const Brush& brush, int32_t x, int32_t y, int32_t width,
                          int32_t height) override {
    target_.fillPixelRectangle(brush, x, y, width, height);
  }
  void fillEllipse(const Brush& brush, float x, float y, float width, float height) override {
    target_.fillEllipse(brush, x, y, width, height);
  }
  void fillPixelEllipse(const Brush& brush, int32_t x, int32_t y, int32_t width,
                        int32_t height) override {
    target_.fillPixelEllipse(brush, x, y, width, height);
  }
  void strokeLine(const Pen& pen, PointF from, PointF to) override {
    target_.strokeLine(pen, from, to);
  }
  void strokeRectangle(const Pen& pen, float x, float y, float width, float height) override {
    target_.strokeRectangle(pen, x, y, width, height);
  }
  void strokeEllipse(const Pen& pen, float x, float y, float width, float height) override {
    target_.strokeEllipse(pen, x, y, width, height);
  }
  void strokeArc(const Pen& pen, float x, float y, float width, float height, float startAngle,
                 float sweepAngle) override {
    target_.strokeArc(pen, x, y, width, height, startAngle, sweepAngle);
  }
  void strokeCurve(const Pen& pen, const PointF* points, int32_t count) override {
    target_.strokeCurve(pen, points, count);
  }
  void drawFaceText(std::u16string_view text, const FontSpec& font, Rgb colour, RectI rect,
                    TextAlign align) override;

 private:
  // True when the next text run is the kept one.
  bool passNext() { return textsSeen_++ == keptText_; }

  Canvas& target_;
  int32_t keptText_;
  int32_t textsSeen_ = 0;
};
