// The stages after the control stage, for one vector form V: the oscillator bank over the
// run's steps, the decimator, and the output stage. Templates only: a file that includes this
// header instantiates them for its own form, under that form's instruction set.
#pragma once

#include <cstdint>

#include "engine/DecimatorStage.h"
#include "engine/OscillatorBank.h"
#include "engine/OutputStage.h"
#include "engine/ToneEngine.h"

namespace voice {

// The triangle's table in the layout of the form.
template <class V>
inline void useTriangleLayout(StageBuffers& b) {
  if (b.triangle.sines != V::kTriangleSines) setTriangleLayout(b.triangle, V::kTriangleSines);
}

// The bank over the chunk: one row of the triangle's table where the chunk has one harmonic
// limit, each frame's own where it has several.
template <class V, class Mix>
inline void runBankSegments(ToneEngine& e, const Mix& mix) {
  StageBuffers& b = e.stages;
  const int steps = kOversampling * b.frames;
  useTriangleLayout<V>(b);
  if (b.segmentCount > 1) {
    runSegmentedBank<V>(b, steps, mix);
    return;
  }
  setTriangleLimit(b.triangle, b.segments[0].limit);
  // A steady stretch has one increment, so one segment.
  if (b.phasesInBank)
    e.oscPhase = runSteppedBank<V>(b, steps, mix, b.bankPhase, b.bankIncrement);
  else
    runOscillatorBank<V>(b, 0, steps, mix);
}

// Renders the run that the control stage has prepared into host frames starting at offset.
template <class V, typename Sample>
inline void renderStages(ToneEngine& e, const OutputChannels<Sample>& out, int32_t offset) {
  StageBuffers& b = e.stages;
  if (b.settingsMove)
    runBankSegments<V>(e, SteppedMix<V>{b});
  else
    runBankSegments<V>(e, HeldMix<V>(b));
  runDecimator<typename V::Pair>(e.decimator, b, b.frames);
  runOutputStage<V>(b, out, offset);
}

}  // namespace voice
