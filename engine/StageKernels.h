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

// Frames that the decimator takes at a time behind the bank. Its steps form one chain of
// dependent operations; taken a stretch at a time between the bank's vectors, which depend on
// nothing before them, the chain runs while the bank's work goes on, rather than after all of
// it. A whole number of widest vectors, so that no vector of the bank is cut.
constexpr int kDecimatorStretch = 32;
static_assert(kOversampling * kDecimatorStretch % kMaxLanes == 0);

// The bank over the run, one stretch of steps per harmonic limit, and behind it the decimator.
template <class V, class Mix>
inline void runBankAndDecimator(ToneEngine& e, const Mix& mix) {
  StageBuffers& b = e.stages;
  const int steps = kOversampling * b.frames;
  DecimatorRun<typename V::Pair> decimation{};
  for (int s = 0; s < b.segmentCount; ++s) {
    const HarmonicSegment& segment = b.segments[s];
    const int end = s + 1 < b.segmentCount ? kOversampling * b.segments[s + 1].firstFrame : steps;
    if (segment.limit != b.triangle.harmonicLimit || b.triangle.sines != V::kTriangleSines)
      setTriangleLimit(b.triangle, segment.limit, V::kTriangleSines);
    for (int i = kOversampling * segment.firstFrame; i < end;) {
      const int stretchEnd = end - i < kOversampling * kDecimatorStretch
                                 ? end
                                 : i + kOversampling * kDecimatorStretch;
      runOscillatorBank<V>(b, i, stretchEnd, mix);
      i = stretchEnd;
      const int complete = stretchEnd / kOversampling;
      if (complete - decimation.next >= kDecimatorStretch) {
        if (decimation.next == 0) decimation.start(e.decimator, b);
        decimation.advance(b, complete);
      }
    }
  }
  if (decimation.next == 0) decimation.start(e.decimator, b);
  decimation.advance(b, b.frames);
  decimation.finish(e.decimator, b);
}

// Renders the run that the control stage has prepared into host frames starting at offset.
template <class V, typename Sample>
inline void renderStages(ToneEngine& e, const OutputChannels<Sample>& out, int32_t offset) {
  StageBuffers& b = e.stages;
  if (b.settingsMove)
    runBankAndDecimator<V>(e, SteppedMix<V>{b});
  else
    runBankAndDecimator<V>(e, HeldMix<V>(b));
  runOutputStage<V>(b, out, offset);
}

}  // namespace voice
