// The whole face in one pass, on both layers of the back buffer.
#pragma once

#include <cstdint>

#include "editor/Canvas.h"
#include "params/ParamTable.h"

// The skin, then the appearance bar and the Legato switch over it. `values` is the copy of
// the parameter values taken for this paint. The window composes the same picture from cached
// layers (FaceComposer.h); this one pass is their reference.
void paintEditor(Canvas& canvas, const double values[kNumParams], int32_t skin,
                 int32_t activeParam);
