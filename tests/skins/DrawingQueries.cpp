// Queries on recorded drawings.
#include "DrawingQueries.h"

#include <cmath>
#include <numbers>

#include "params/ParamTable.h"

PointF lineStart(const DrawCall& line) {
  return PointF{line.coords.at(0), line.coords.at(1)};
}

PointF lineEnd(const DrawCall& line) {
  return PointF{line.coords.at(2), line.coords.at(3)};
}

float radiusAround(PointF point, PointF centre) {
  return std::hypot(point.x - centre.x, point.y - centre.y);
}

double angleAround(PointF point, PointF centre) {
  return std::atan2(point.x - centre.x, centre.y - point.y) * 180.0 / std::numbers::pi;
}

std::vector<const DrawCall*> linesInColour(const RecordingCanvas& canvas, Argb colour) {
  std::vector<const DrawCall*> found;
  for (const DrawCall* line : canvas.all(DrawOp::DrawLine))
    if (line->pen.colour == colour) found.push_back(line);
  return found;
}

const DrawCall* filledRectAt(const RecordingCanvas& canvas, RectI rect) {
  for (const DrawCall* fill : canvas.all(DrawOp::FillRectangleInt))
    if (fill->rect == rect) return fill;
  return nullptr;
}

const DrawCall* textAt(const RecordingCanvas& canvas, RectI rect) {
  for (const DrawCall* text : canvas.all(DrawOp::DrawFaceText))
    if (text->rect == rect) return text;
  return nullptr;
}

std::vector<double> defaultValues() {
  std::vector<double> values(kNumParams);
  for (int32_t i = 0; i < kNumParams; ++i)
    values[i] = kParamTable[i].defaultValue;
  return values;
}
