// The recording canvas: each call becomes one DrawCall.
#include "editor/RecordingCanvas.h"

std::u16string widen(std::string_view text) {
  std::u16string wide;
  wide.reserve(text.size());
  for (char c : text)
    wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return wide;
}

namespace {

RectI rectFromSize(int32_t x, int32_t y, int32_t width, int32_t height) {
  return RectI{x, y, x + width, y + height};
}

}  // namespace

std::vector<const DrawCall*> RecordingCanvas::all(DrawOp op) const {
  std::vector<const DrawCall*> found;
  for (const DrawCall& call : calls)
    if (call.op == op) found.push_back(&call);
  return found;
}

const DrawCall* RecordingCanvas::findText(std::u16string_view text) const {
  for (const DrawCall& call : calls) {
    const bool isText =
        call.op == DrawOp::TextAt || call.op == DrawOp::TextIn || call.op == DrawOp::DrawFaceText;
    if (isText && call.text == text) return &call;
  }
  return nullptr;
}

const DrawCall* RecordingCanvas::findText(std::string_view text) const {
  return findText(std::u16string_view(widen(text)));
}

DrawCall& RecordingCanvas::add(DrawOp op) {
  calls.push_back(DrawCall{});
  calls.back().op = op;
  return calls.back();
}

void RecordingCanvas::saveState() {
  add(DrawOp::SaveState);
}

void RecordingCanvas::restoreState() {
  add(DrawOp::RestoreState);
}

void RecordingCanvas::fillBackground(RectI rect) {
  add(DrawOp::FillBackground).rect = rect;
}

void RecordingCanvas::fillSolid(RectI rect, Rgb colour) {
  DrawCall& call = add(DrawOp::FillSolid);
  call.rect = rect;
  call.rgb = colour;
}

void RecordingCanvas::outlineEllipse(RectI bounds, Rgb colour, int32_t penWidth) {
  DrawCall& call = add(DrawOp::OutlineEllipse);
  call.rect = bounds;
  call.rgb = colour;
  call.penWidth = penWidth;
}

void RecordingCanvas::lineSegment(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgb colour,
                                  int32_t penWidth) {
  DrawCall& call = add(DrawOp::LineSegment);
  call.rect = RectI{x0, y0, x1, y1};
  call.rgb = colour;
  call.penWidth = penWidth;
}

void RecordingCanvas::textAt(int32_t x, int32_t y, std::string_view text, EditorFont font,
                             Rgb colour) {
  DrawCall& call = add(DrawOp::TextAt);
  call.rect = RectI{x, y, x, y};
  call.text = widen(text);
  call.font = font;
  call.rgb = colour;
}

void RecordingCanvas::textIn(RectI rect, std::string_view text, EditorFont font, Rgb colour,
                             TextAlign align) {
  DrawCall& call = add(DrawOp::TextIn);
  call.rect = rect;
  call.text = widen(text);
  call.font = font;
  call.rgb = colour;
  call.align = align;
}

void RecordingCanvas::openShapes() {
  add(DrawOp::OpenShapes);
}

void RecordingCanvas::closeShapes() {
  add(DrawOp::CloseShapes);
}

void RecordingCanvas::setSmoothing(bool on) {
  add(DrawOp::SetSmoothing).flag = on;
}

void RecordingCanvas::fillRectangle(const Brush& brush, float x, float y, float width,
                                    float height) {
  DrawCall& call = add(DrawOp::FillRectangle);
  call.brush = brush;
  call.coords = {x, y, width, height};
}

void RecordingCanvas::fillPixelRectangle(const Brush& brush, int32_t x, int32_t y, int32_t width,
                                         int32_t height) {
  DrawCall& call = add(DrawOp::FillPixelRectangle);
  call.brush = brush;
  call.rect = rectFromSize(x, y, width, height);
}

void RecordingCanvas::fillEllipse(const Brush& brush, float x, float y, float width, float height) {
  DrawCall& call = add(DrawOp::FillEllipse);
  call.brush = brush;
  call.coords = {x, y, width, height};
}

void RecordingCanvas::fillPixelEllipse(const Brush& brush, int32_t x, int32_t y, int32_t width,
                                       int32_t height) {
  DrawCall& call = add(DrawOp::FillPixelEllipse);
  call.brush = brush;
  call.rect = rectFromSize(x, y, width, height);
}

void RecordingCanvas::strokeLine(const Pen& pen, PointF from, PointF to) {
  DrawCall& call = add(DrawOp::StrokeLine);
  call.pen = pen;
  call.coords = {from.x, from.y, to.x, to.y};
}

void RecordingCanvas::strokeRectangle(const Pen& pen, float x, float y, float width, float height) {
  DrawCall& call = add(DrawOp::StrokeRectangle);
  call.pen = pen;
  call.coords = {x, y, width, height};
}

void RecordingCanvas::strokeEllipse(const Pen& pen, float x, float y, float width, float height) {
  DrawCall& call = add(DrawOp::StrokeEllipse);
  call.pen = pen;
  call.coords = {x, y, width, height};
}

void RecordingCanvas::strokeArc(const Pen& pen, float x, float y, float width, float height,
                                float startAngle, float sweepAngle) {
  DrawCall& call = add(DrawOp::StrokeArc);
  call.pen = pen;
  call.coords = {x, y, width, height, startAngle, sweepAngle};
}

void RecordingCanvas::strokeCurve(const Pen& pen, const PointF* points, int32_t count) {
  DrawCall& call = add(DrawOp::StrokeCurve);
  call.pen = pen;
  for (int32_t i = 0; points != nullptr && i < count; ++i) {
    call.coords.push_back(points[i].x);
    call.coords.push_back(points[i].y);
  }
}

void RecordingCanvas::drawFaceText(std::u16string_view text, const FontSpec& font, Rgb colour,
                                   RectI rect, TextAlign align) {
  DrawCall& call = add(DrawOp::DrawFaceText);
  call.text = std::u16string(text);
  call.faceFont = font;
  call.faceName = font.family == nullptr ? std::string() : std::string(font.family);
  call.rgb = colour;
  call.rect = rect;
  call.align = align;
}
