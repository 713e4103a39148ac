// Comparison and bounds of recorded calls.
#include "tests/facecache/RecordedCalls.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kAntiAliasMargin = 1.0f;
constexpr float kTextWidthPerEm = 0.7f;
constexpr float kTextHeightPerEm = 1.4f;
// A cardinal curve may swing a little beyond its points.
constexpr float kCurveSwing = 3.0f;

bool samePen(const Pen& a, const Pen& b) {
  return a.colour == b.colour && a.width == b.width && a.startCap == b.startCap &&
         a.endCap == b.endCap;
}

bool sameBrush(const Brush& a, const Brush& b) {
  return a.kind == b.kind && a.from == b.from && a.to == b.to && a.start == b.start &&
         a.end == b.end;
}

bool sameFont(const FontSpec& a, const FontSpec& b) {
  return a.pixelSize == b.pixelSize && a.weight == b.weight;
}

RectI outward(float left, float top, float right, float bottom, float margin) {
  return RectI{static_cast<int32_t>(std::floor(left - margin)),
               static_cast<int32_t>(std::floor(top - margin)),
               static_cast<int32_t>(std::ceil(right + margin)) + 1,
               static_cast<int32_t>(std::ceil(bottom + margin)) + 1};
}

RectI widened(RectI rect, int32_t margin) {
  return RectI{rect.left - margin, rect.top - margin, rect.right + margin, rect.bottom + margin};
}

// Bounds of the points in coords[from...], as (x, y) pairs.
RectI pointBounds(const std::vector<float>& coords, size_t from, size_t to, float margin) {
  float left = coords[from], right = coords[from];
  float top = coords[from + 1], bottom = coords[from + 1];
  for (size_t i = from; i + 1 < to; i += 2) {
    left = std::min(left, coords[i]);
    right = std::max(right, coords[i]);
    top = std::min(top, coords[i + 1]);
    bottom = std::max(bottom, coords[i + 1]);
  }
  return outward(left, top, right, bottom, margin);
}

RectI sizedBounds(const std::vector<float>& coords, float margin) {
  return outward(coords[0], coords[1], coords[0] + coords[2], coords[1] + coords[3], margin);
}

RectI textAtBounds(const DrawCall& call) {
  const float em = static_cast<float>(fontSpecOf(call.font).pixelSize);
  const float width = kTextWidthPerEm * em * static_cast<float>(call.text.size());
  return outward(static_cast<float>(call.rect.left), static_cast<float>(call.rect.top),
                 static_cast<float>(call.rect.left) + width,
                 static_cast<float>(call.rect.top) + kTextHeightPerEm * em, 0.0f);
}

}  // namespace

bool sameCall(const DrawCall& a, const DrawCall& b) {
  return a.op == b.op && a.rect == b.rect && a.coords == b.coords && a.rgb == b.rgb &&
         a.penWidth == b.penWidth && samePen(a.pen, b.pen) && sameBrush(a.brush, b.brush) &&
         a.text == b.text && a.font == b.font && sameFont(a.faceFont, b.faceFont) &&
         a.faceName == b.faceName && a.align == b.align && a.flag == b.flag;
}

bool isStateCall(const DrawCall& call) {
  switch (call.op) {
    case DrawOp::SaveState:
    case DrawOp::RestoreState:
    case DrawOp::OpenShapes:
    case DrawOp::CloseShapes:
      return true;
    default:
      return false;
  }
}

std::vector<DrawCall> drawingCalls(const RecordingCanvas& canvas) {
  std::vector<DrawCall> calls;
  for (const DrawCall& call : canvas.calls)
    if (!isStateCall(call)) calls.push_back(call);
  return calls;
}

RectI pixelBounds(const DrawCall& call) {
  const float halfPen = call.pen.width / 2 + kAntiAliasMargin;
  switch (call.op) {
    case DrawOp::FillBackground:
    case DrawOp::FillSolid:
    case DrawOp::TextIn:
    case DrawOp::DrawFaceText:
      return call.rect;
    case DrawOp::OutlineEllipse:
      return widened(call.rect, call.penWidth);
    case DrawOp::LineSegment: {
      const RectI& r = call.rect;
      return widened(RectI{std::min(r.left, r.right), std::min(r.top, r.bottom),
                           std::max(r.left, r.right) + 1, std::max(r.top, r.bottom) + 1},
                     call.penWidth);
    }
    case DrawOp::TextAt:
      return textAtBounds(call);
    case DrawOp::FillPixelRectangle:
    case DrawOp::FillPixelEllipse:
      return widened(call.rect, static_cast<int32_t>(kAntiAliasMargin));
    case DrawOp::FillRectangle:
    case DrawOp::FillEllipse:
      return sizedBounds(call.coords, kAntiAliasMargin);
    case DrawOp::StrokeRectangle:
    case DrawOp::StrokeEllipse:
    case DrawOp::StrokeArc:
      return sizedBounds(call.coords, halfPen);
    case DrawOp::StrokeLine:
      return pointBounds(call.coords, 0, 4, halfPen);
    case DrawOp::StrokeCurve:
      return pointBounds(call.coords, 0, call.coords.size(), halfPen + kCurveSwing);
    default:
      return RectI{};
  }
}

bool overlap(RectI a, RectI b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool contains(RectI outer, RectI inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}
