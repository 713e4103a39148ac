// The vibrato's pitch ratios over frames of a chunk, in the lanes of one vector form (V):
// 2^(cents sin(2 pi phase) / 1200) for each frame, from the phases and depths the control
// stage recorded. A template only, instantiated by each form under its own instruction set.
#pragma once

#include "engine/CycleTrig.h"
#include "engine/StageBuffers.h"

namespace voice {

// Frames [from, to) in whole vectors from the vector that holds `from`: frames before it in
// that vector are computed again alike, frames past `to` read the arrays' padding.
template <class V>
inline void runVibratoRatios(StageBuffers& b, int from, int to) {
  using Vec = typename V::Vec;
  const Vec perOctave = V::set1(kCentsPerOctave);
  for (int f = from - from % V::kLanes; f < to; f += V::kLanes) {
    const Vec sine = sinOfPhase<V>(V::load(b.vibratoPhase + f));
    const Vec exponent = V::div(V::mul(V::load(b.vibratoCents + f), sine), perOctave);
    V::store(b.vibratoRatio + f, exp2Small<V>(exponent));
  }
}

}  // namespace voice
