// The one Legato rule, for the voice, the host's display text and the editor's switch alike.
#pragma once

#include "params/ParamRanges.h"

// On when the normalized `value` conforms to the upper of Legato's two steps: at least one
// half, as halves round up on the step grid.
constexpr bool legatoIsOn(double value) {
  return conformUnit(value) >= 0.5;
}
