// Each skin painted as its backdrop and its value parts (see FaceParts.h); the skin's
// one-pass painter in Painters.h draws the same calls in their original order.
#pragma once

#include <cstdint>

#include "editor/Canvas.h"
#include "editor/FaceParts.h"

void paintOriginalBackdrop(Canvas& canvas);
void paintOriginalParts(Canvas& canvas, FacePartSet parts, const double values[kNumParams]);
RectI originalPartArea(int32_t part);

void paintVintageBackdrop(Canvas& canvas);
void paintVintageParts(Canvas& canvas, FacePartSet parts, const double values[kNumParams],
                       int32_t activeParam);
RectI vintagePartArea(int32_t part);

void paintSilverBackdrop(Canvas& canvas);
void paintSilverParts(Canvas& canvas, FacePartSet parts, const double values[kNumParams],
                      int32_t activeParam);
RectI silverPartArea(int32_t part);
