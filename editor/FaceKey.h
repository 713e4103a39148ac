// What the face shows, in the few inputs the painters read: two paints with equal keys draw
// the same picture, and comparing two keys tells which value parts differ.
#pragma once

#include <cstdint>

#include "editor/FaceParts.h"
#include "params/ParamTable.h"

struct FaceKey {
  int32_t skin;
  int32_t activeParam;  // the dragged parameter, -1 when none
  int32_t matchedProgram;
  bool legatoOn;
  // The values as stored: compared bit for bit, so that a value equal to another but not
  // identical to it (0.0 and -0.0) still counts as a change and no picture is ever reused
  // for values it was not drawn with.
  double values[kNumParams];
};

FaceKey faceKeyOf(const double values[kNumParams], int32_t skin, int32_t activeParam);

// The parts of the face that differ between `drawn` and `wanted` (every part when the skins
// differ): a control whose value changed or whose drag began or ended, the Legato switch,
// and the program marks.
FacePartSet changedParts(const FaceKey& drawn, const FaceKey& wanted);
