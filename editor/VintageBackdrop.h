// The layers under everything else in the Vintage skin: the ground, the two wooden cheeks
// with their grain, the brushed centre panel and the cream header strip.
#pragma once

#include "editor/ShapeCanvas.h"

// Draws the backdrop over the whole window on open shapes.
void drawVintageBackdrop(ShapeCanvas& canvas);
