// The Original skin, drawn on the plain layer alone: in one pass, or as its backdrop and its
// value parts (FaceParts.h), which together give the one-pass picture.
#pragma once

#include <cstdint>

#include "editor/FaceParts.h"
#include "editor/PlainCanvas.h"

void paintOriginalSkin(PlainCanvas& canvas, const double values[kNumParams]);

void paintOriginalBackdrop(PlainCanvas& canvas);
void paintOriginalParts(PlainCanvas& canvas, FacePartSet parts, const double values[kNumParams]);
RectI originalPartArea(int32_t part);
