// The decimator over a run: the mixed oscillator signal, two steps per frame, through the
// low-pass (engine/DecimatorCoefficients.h), keeping the output of every second step. Its two
// parallel sections take the same input, so they run side by side in the two lanes of P (a
// two-lane vector form) without waiting for each other, and each frame computes the same
// whatever run it falls in, so how a block is cut into runs changes no bit. A template only,
// instantiated by each vector form.
#pragma once

#include <type_traits>

#include "engine/BiquadSection.h"
#include "engine/StageBuffers.h"

namespace voice {

// Transposed direct form II with y put into the state updates: y = b0 x + z1,
// z1' = c1 x - a1 z1 + z2 and z2' = c2 x - a2 z1, where c1 = b1 - a1 b0 and c2 = b2 - a2 b0.
// One section per lane.
template <class P>
struct SectionLanes {
  using Vec = typename P::Vec;
  Vec b0, c1, c2, a1, a2;
  Vec z1, z2;

  explicit SectionLanes(const BiquadSection (&s)[2])
      : b0(P::pair(s[0].b0, s[1].b0)),
        c1(P::pair(s[0].b1 - s[0].a1 * s[0].b0, s[1].b1 - s[1].a1 * s[1].b0)),
        c2(P::pair(s[0].b2 - s[0].a2 * s[0].b0, s[1].b2 - s[1].a2 * s[1].b0)),
        a1(P::pair(s[0].a1, s[1].a1)),
        a2(P::pair(s[0].a2, s[1].a2)),
        z1(P::pair(s[0].z1, s[1].z1)),
        z2(P::pair(s[0].z2, s[1].z2)) {}

  void keepStates(BiquadSection (&s)[2]) const {
    s[0].z1 = P::low(z1);
    s[1].z1 = P::high(z1);
    s[0].z2 = P::low(z2);
    s[1].z2 = P::high(z2);
  }

  // Both steps of a frame with inputs x0 and x1; returns the second step's outputs.
  [[gnu::always_inline]] Vec frame(Vec x0, Vec x1) {
    const Vec midZ2 = P::negMulAdd(a2, z1, P::mul(c2, x0));
    const Vec midZ1 = P::negMulAdd(a1, z1, P::mulAdd(c1, x0, z2));
    const Vec y = P::mulAdd(b0, x1, midZ1);
    z2 = P::negMulAdd(a2, midZ1, P::mul(c2, x1));
    z1 = P::negMulAdd(a1, midZ1, P::mulAdd(c1, x1, midZ2));
    return y;
  }
};

// The same sections, advanced a frame at a time: the next states follow from this frame's by
// the square of the step matrix, so each waits for one multiply-add on top of one that waits
// for the states, half the chain of two single steps. The output takes the single steps.
template <class P>
struct FrameLanes : SectionLanes<P> {
  using Vec = typename P::Vec;
  using SectionLanes<P>::a1, SectionLanes<P>::a2, SectionLanes<P>::b0, SectionLanes<P>::c1,
      SectionLanes<P>::c2, SectionLanes<P>::z1, SectionLanes<P>::z2;
  // z1'' = (a1^2 - a2) z1 - a1 z2 + (c2 - a1 c1) x0 + c1 x1,
  // z2'' = a1 a2 z1 - a2 z2 - a2 c1 x0 + c2 x1.
  Vec z1FromZ1, z1FromX0, z2FromZ1, z2FromX0;

  explicit FrameLanes(const BiquadSection (&s)[2]) : SectionLanes<P>(s) {
    auto lanes = [&](auto coefficient) { return P::pair(coefficient(s[0]), coefficient(s[1])); };
    auto c1Of = [](const BiquadSection& q) { return q.b1 - q.a1 * q.b0; };
    auto c2Of = [](const BiquadSection& q) { return q.b2 - q.a2 * q.b0; };
    z1FromZ1 = lanes([](const BiquadSection& q) { return q.a1 * q.a1 - q.a2; });
    z1FromX0 = lanes([&](const BiquadSection& q) { return c2Of(q) - q.a1 * c1Of(q); });
    z2FromZ1 = lanes([](const BiquadSection& q) { return q.a1 * q.a2; });
    z2FromX0 = lanes([&](const BiquadSection& q) { return -q.a2 * c1Of(q); });
  }

  [[gnu::always_inline]] Vec frame(Vec x0, Vec x1) {
    const Vec y = P::mulAdd(b0, x1, P::negMulAdd(a1, z1, P::mulAdd(c1, x0, z2)));
    const Vec nextZ1 =
        P::mulAdd(z1FromZ1, z1, P::negMulAdd(a1, z2, P::mulAdd(z1FromX0, x0, P::mul(c1, x1))));
    z2 = P::mulAdd(z2FromZ1, z1, P::negMulAdd(a2, z2, P::mulAdd(z2FromX0, x0, P::mul(c2, x1))));
    z1 = nextZ1;
    return y;
  }
};

// b.mixed (2 * frames steps) into b.filtered (frames values); the section states carry on.
// The forms that count instructions take the single steps.
template <class P>
inline void runDecimator(BiquadSection (&sections)[2], StageBuffers& b, int frames) {
  using Lanes = std::conditional_t<P::kFewestInstructions, SectionLanes<P>, FrameLanes<P>>;
  Lanes lanes(sections);
  for (int f = 0; f < frames; ++f) {
    const typename P::Vec y =
        lanes.frame(P::broadcast(b.mixed + 2 * f), P::broadcast(b.mixed + 2 * f + 1));
    b.filtered[f] = P::low(y) + P::high(y);
  }
  lanes.keepStates(sections);
  padAfter(b.filtered, frames);
}

}  // namespace voice
