// The triangle's harmonic weights for the current harmonic limit, each stored once per lane
// of the widest vector form, so that any form loads a whole vector of one weight.
#pragma once

#include "engine/VoiceConstants.h"

namespace voice {

struct TriangleWeights {
  int harmonicLimit;                                     // K: harmonics above it weigh 0
  alignas(64) double weight[kTriangleTerms][kMaxLanes];  // term j is harmonic 2j + 1
};

// Sets the weights for harmonics up to `limit`: +1/k^2 for k mod 4 = 1, -1/k^2 for
// k mod 4 = 3, 0 above the limit. The weights must match harmonicLimit before (all 0 with a
// limit of 0, as a zeroed record holds); a negative harmonicLimit rebuilds them all.
void setTriangleLimit(TriangleWeights& w, int limit);

}  // namespace voice
