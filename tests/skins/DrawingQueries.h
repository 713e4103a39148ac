// Questions the skin tests ask of a recorded drawing: where a line points, which shapes
// carry a colour, what a knob or fader of a given control looked like.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/RecordingCanvas.h"

// The start and end points of a recorded line.
PointF lineStart(const DrawCall& line);
PointF lineEnd(const DrawCall& line);

// Distance of a point from a centre, and its angle in degrees clockwise from 12 o'clock.
float radiusAround(PointF point, PointF centre);
double angleAround(PointF point, PointF centre);

// The recorded lines drawn with this pen colour, in order.
std::vector<const DrawCall*> linesInColour(const RecordingCanvas& canvas, Argb colour);

// The integer-filled rectangle exactly at `rect`, or null.
const DrawCall* filledRectAt(const RecordingCanvas& canvas, RectI rect);

// The face text drawn inside `rect`, or null.
const DrawCall* textAt(const RecordingCanvas& canvas, RectI rect);

// Sixteen values at their table defaults.
std::vector<double> defaultValues();
