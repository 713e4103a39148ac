// One fader of the Silver skin: a scale on both sides, a dark slot and a brushed cap with an
// index line in the control's accent colour.
#pragma once

#include <cstdint>

#include "editor/ShapeCanvas.h"

// The accent of control `id`: orange for the oscillator levels, red for Output, teal for the
// rest. Tabs, index lines and the dragged fader's outline wear it.
Argb accentColour(int32_t id);

// Draws the fader of control `id` on open shapes, centred on x = cx, its scale from y = top
// (value 1) down to top + 80 (value 0); `active` outlines the cap in the accent colour.
void drawSilverFader(ShapeCanvas& canvas, int32_t id, float cx, float top, double v, bool active);

// The fader in its two layers, which together draw what drawSilverFader draws: the scale and
// the slot depend on nothing, the cap (with its shadow) follows the value and the drag.
void drawSilverFaderTrack(ShapeCanvas& canvas, float cx, float top);
void drawSilverFaderCap(ShapeCanvas& canvas, int32_t id, float cx, float top, double v,
                        bool active);
