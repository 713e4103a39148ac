// The screw-head ornament of the Vintage and Silver faceplates.
#pragma once

#include <cstdint>

#include "editor/ShapeCanvas.h"

struct ScrewColours {
  Argb light;
  Argb dark;
};

constexpr ScrewColours kVintageScrew{0xFFAFA78E, 0xFF2C2C27};
constexpr ScrewColours kSilverScrew{0xFFF5F8FA, 0xFF4C5963};

// Shadow, gradient head and slot around the integer centre (x, y); needs open shapes.
void drawScrew(ShapeCanvas& canvas, int32_t x, int32_t y, ScrewColours colours);
