// The decimator over a run: the mixed oscillator signal, two steps per frame, through the two
// filter sections in series, keeping the output of every second step. Each section is
// recursive and runs step after step, but the two can run side by side: in the two lanes of
// P (a two-lane vector form), the first section at step t beside the second section at step
// t - 1, which takes the first section's output of that step. Each lane computes exactly what
// a section computes alone, so how a block is cut into runs changes no bit. A template only,
// instantiated by each vector form.
#pragma once

#include "engine/BiquadSection.h"
#include "engine/StageBuffers.h"

namespace voice {

// b - a b0: the feed-forward coefficient of x once y = b0 x + z1 is put into the state update.
inline double throughOutput(double b, double a, double b0) {
  return b - a * b0;
}

template <class P>
struct SectionLanes {
  typename P::Vec b0, c1, c2, a1, a2;  // coefficients, one section per lane
  typename P::Vec z1, z2;              // states

  SectionLanes(const BiquadSection& lo, const BiquadSection& hi)
      : b0(P::pair(lo.b0, hi.b0)),
        c1(P::pair(throughOutput(lo.b1, lo.a1, lo.b0), throughOutput(hi.b1, hi.a1, hi.b0))),
        c2(P::pair(throughOutput(lo.b2, lo.a2, lo.b0), throughOutput(hi.b2, hi.a2, hi.b0))),
        a1(P::pair(lo.a1, hi.a1)),
        a2(P::pair(lo.a2, hi.a2)),
        z1(P::pair(lo.z1, hi.z1)),
        z2(P::pair(lo.z2, hi.z2)) {}

  // One step of transposed direct form II in each lane: y = b0 x + z1, z1 = b1 x - a1 y + z2,
  // z2 = b2 x - a2 y, with y put in: z1 = (b1 - a1 b0) x + z2 - a1 z1 and
  // z2 = (b2 - a2 b0) x - a2 z1. The states then follow from the states without waiting for
  // y, which halves the chain from one step's z1 to the next.
  [[gnu::always_inline]] typename P::Vec step(typename P::Vec x) {
    const typename P::Vec y = P::mulAdd(b0, x, z1);
    const typename P::Vec nextZ2 = P::negMulAdd(a2, z1, P::mul(c2, x));
    z1 = P::negMulAdd(a1, z1, P::mulAdd(c1, x, z2));
    z2 = nextZ2;
    return y;
  }
};

// One section alone for one step, computed in both lanes exactly as in the paired steps.
template <class P>
[[gnu::always_inline]] inline double stepAlone(BiquadSection& s, double x) {
  SectionLanes<P> lanes(s, s);
  const double y = P::low(lanes.step(P::pair(x, x)));
  s.z1 = P::low(lanes.z1);
  s.z2 = P::low(lanes.z2);
  return y;
}

// b.mixed (2 * frames steps) into b.filtered (frames values); the filter states carry on.
template <class P>
inline void runDecimator(BiquadSection (&decimator)[2], StageBuffers& b, int frames) {
  using Vec = typename P::Vec;
  // The first section runs one step ahead; after each paired step, lane 0 of `ahead` holds
  // its output and lane 1 the second section's.
  const double first = stepAlone<P>(decimator[0], b.mixed[0]);
  SectionLanes<P> sections(decimator[0], decimator[1]);
  Vec ahead = sections.step(P::pair(b.mixed[1], first));
  for (int f = 1; f < frames; ++f) {
    // Steps 2f and 2f + 1 of the first section beside steps 2f - 1 and 2f of the second,
    // whose output at the odd step 2f - 1 is the sample of frame f - 1.
    const Vec x = P::load(b.mixed + 2 * f);
    ahead = sections.step(P::lows(x, ahead));
    P::storeHigh(b.filtered + f - 1, ahead);
    ahead = sections.step(P::highLow(x, ahead));
  }
  decimator[0].z1 = P::low(sections.z1);
  decimator[0].z2 = P::low(sections.z2);
  decimator[1].z1 = P::high(sections.z1);
  decimator[1].z2 = P::high(sections.z2);
  b.filtered[frames - 1] = stepAlone<P>(decimator[1], P::low(ahead));
  padAfter(b.filtered, frames);
}

}  // namespace voice
