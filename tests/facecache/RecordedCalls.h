// What the layer tests ask of recorded drawing calls: whether two calls are the same, whether
// a call only sets state, and a rectangle sure to hold every pixel a call can touch.
#pragma once

#include <vector>

#include "editor/RecordingCanvas.h"

bool sameCall(const DrawCall& a, const DrawCall& b);

// Saving and restoring the drawing state, opening and closing the shape layer: calls that
// draw nothing.
bool isStateCall(const DrawCall& call);

// The calls that draw, in order.
std::vector<DrawCall> drawingCalls(const RecordingCanvas& canvas);

// Pixels a call may touch, right and bottom excluded: its geometry widened by half the pen
// and a pixel of anti-aliasing. Text in a rectangle is clipped to it; text at a point is
// given a width of at most 0.7 em per character and a height of 1.4 em.
RectI pixelBounds(const DrawCall& call);

bool overlap(RectI a, RectI b);
bool contains(RectI outer, RectI inner);
