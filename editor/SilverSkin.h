// The Silver skin, drawn on the shape layer alone: in one pass, or as its backdrop and its
// value parts (FaceParts.h), which together give the one-pass picture. `activeParam` is the
// dragged parameter or -1.
#pragma once

#include <cstdint>

#include "editor/FaceParts.h"
#include "editor/ShapeCanvas.h"

void paintSilverSkin(ShapeCanvas& canvas, const double values[kNumParams], int32_t activeParam);

void paintSilverBackdrop(ShapeCanvas& canvas);
void paintSilverParts(ShapeCanvas& canvas, FacePartSet parts, const double values[kNumParams],
                      int32_t activeParam);
RectI silverPartArea(int32_t part);
