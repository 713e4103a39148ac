// Arc angles on the ellipse and cardinal splines as Bézier segments.
#include "editor/cairo/ShapeGeometry.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFullTurn = 360.0;

double radiansOf(double degrees) {
  return degrees * kPi / 180.0;
}

// The parameter of the point that the ray at `degrees` meets on the ellipse, kept in the same
// turn as the angle itself so that sweeps keep their length and direction.
double parameterOf(double radiusX, double radiusY, double degrees) {
  const double angle = radiansOf(degrees);
  const double parameter = std::atan2(std::sin(angle) / radiusY, std::cos(angle) / radiusX);
  const double turns = std::round(angle / (2 * kPi)) - std::round(parameter / (2 * kPi));
  return parameter + turns * 2 * kPi;
}

PointF at(const PointF* points, int32_t count, int32_t i) {
  if (i < 0) return points[0];
  if (i >= count) return points[count - 1];
  return points[i];
}

PointF plus(PointF a, PointF b, float scale) {
  return PointF{a.x + b.x * scale, a.y + b.y * scale};
}

PointF minus(PointF a, PointF b) {
  return PointF{a.x - b.x, a.y - b.y};
}

}  // namespace

UnitArc unitArcOf(double radiusX, double radiusY, double startDegrees, double sweepDegrees) {
  const double start = parameterOf(radiusX, radiusY, startDegrees);
  if (std::fabs(sweepDegrees) >= kFullTurn) {
    return UnitArc{start, start + std::copysign(2 * kPi, sweepDegrees)};
  }
  double end = parameterOf(radiusX, radiusY, startDegrees + sweepDegrees);
  // The parameter grows with the angle, so the sweep keeps its sign within one turn.
  if (sweepDegrees >= 0 && end < start) end += 2 * kPi;
  if (sweepDegrees < 0 && end > start) end -= 2 * kPi;
  return UnitArc{start, end};
}

BezierSegment cardinalSegment(const PointF* points, int32_t count, int32_t i, float tension) {
  const float scale = tension / 3.0f;
  const PointF from = at(points, count, i);
  const PointF to = at(points, count, i + 1);
  const PointF control1 = plus(from, minus(to, at(points, count, i - 1)), scale);
  const PointF control2 = plus(to, minus(at(points, count, i + 2), from), -scale);
  return BezierSegment{from, control1, control2, to};
}
