// One knob of the Vintage skin: amber scale lamps, a knurled black knob and a cream pointer.
#pragma once

#include "editor/ShapeCanvas.h"

// Draws the knob for normalized value v around (cx, cy) on open shapes. Lamp k (0..10) is
// lit when it lies at or below the value; the pointer sweeps 270 degrees, straight up at 0.5.
void drawVintageKnob(ShapeCanvas& canvas, float cx, float cy, double v);
