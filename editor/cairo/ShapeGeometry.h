// The geometry the shape layer takes from its Windows counterpart, in plain numbers: arcs
// with angles measured on the ellipse, and cardinal splines as Bézier segments.
#pragma once

#include <cstdint>

#include "editor/ShapeCanvas.h"

// An arc of the unit circle, in radians, that the ellipse's own scaling turns into the arc
// whose angles (degrees clockwise from +x) are measured on the ellipse itself: the point at
// angle a is where the ray from the centre at a meets the ellipse. A sweep beyond a full
// turn draws the whole ellipse once.
struct UnitArc {
  double start;
  double end;  // below start when the sweep runs counter-clockwise
};
UnitArc unitArcOf(double radiusX, double radiusY, double startDegrees, double sweepDegrees);

// The curve's default tension, as the Windows layer draws it.
constexpr float kCurveTension = 0.5f;

// Segment i (0 to count - 2) of the cardinal spline through `points`: from point i to point
// i + 1 with control points i + (next - previous) * tension / 3 and i + 1 - (the same at
// i + 1), the ends taking themselves for their missing neighbours.
struct BezierSegment {
  PointF from;
  PointF control1;
  PointF control2;
  PointF to;
};
BezierSegment cardinalSegment(const PointF* points, int32_t count, int32_t i, float tension);
