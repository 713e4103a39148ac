// The face in two layers: a backdrop that depends on the appearance alone, and value parts
// drawn over it. Each part depends on a few of the values, draws only inside its area, and no
// other part and nothing of the backdrop drawn after it in the one-pass order touches its
// pixels; so a part can be brought up to date alone by copying its area from the backdrop and
// drawing it again, and backdrop then parts give the one-pass picture bit for bit.
#pragma once

#include <cstdint>

#include "editor/Canvas.h"
#include "params/ParamTable.h"

// Part numbers 0 to 15 are the controls: what of control i changes with its value or its drag.
constexpr int32_t kLegatoSwitchPart = kNumParams;      // follows the Legato value
constexpr int32_t kProgramMarksPart = kNumParams + 1;  // the matched program (Silver only)
constexpr int32_t kNumFaceParts = kNumParams + 2;

// A set of parts, one bit per part.
using FacePartSet = uint32_t;
constexpr FacePartSet partBit(int32_t part) {
  return FacePartSet{1} << part;
}
constexpr FacePartSet kAllFaceParts = partBit(kNumFaceParts) - 1;

// Everything of the face that depends on no value: the skin's panels, scales, captions and
// ornaments, and the appearance bar over them. `skin` is 0, 1 or 2.
void paintEditorBackdrop(Canvas& canvas, int32_t skin);

// Every value part, in the one-pass order, over the backdrop of the same skin.
void paintEditorValues(Canvas& canvas, const double values[kNumParams], int32_t skin,
                       int32_t activeParam);

// The parts in `parts` only, in the one-pass order; parts the skin does not have draw nothing.
void paintFaceParts(Canvas& canvas, FacePartSet parts, const double values[kNumParams],
                    int32_t skin, int32_t activeParam);

// The area that holds every pixel part `part` of `skin` may draw, and no pixel of another
// part; empty (left == right) for a part the skin does not have.
RectI facePartArea(int32_t skin, int32_t part);
