// The decimator over a run: the mixed oscillator signal, two steps per frame, through the
// low-pass (engine/DecimatorCoefficients.h), keeping the output of every second step. Its two
// parallel sections take the same input, so they run side by side in the two lanes of P (a
// two-lane vector form) without waiting for each other. A template only, instantiated by each
// vector form.
#pragma once

#include "engine/DecimatorCoefficients.h"
#include "engine/DecimatorState.h"
#include "engine/StageBuffers.h"

namespace voice {

// A coefficient of both sections, one per lane.
template <class P>
[[gnu::always_inline]] inline typename P::Vec bothSections(double FrameCoefficients::*c) {
  return P::pair(kDecimatorFrames[0].*c, kDecimatorFrames[1].*c);
}

template <class P>
struct DecimatorLanes {
  using Vec = typename P::Vec;
  using C = FrameCoefficients;
  const Vec b0 = bothSections<P>(&C::b0), c1 = bothSections<P>(&C::c1),
            c2 = bothSections<P>(&C::c2), a1 = bothSections<P>(&C::a1),
            a2 = bothSections<P>(&C::a2);
  Vec z1, z2, u1, u2;

  explicit DecimatorLanes(const DecimatorState& d)
      : z1(P::pair(d.z1[0], d.z1[1])),
        z2(P::pair(d.z2[0], d.z2[1])),
        u1(P::pair(d.u1[0], d.u1[1])),
        u2(P::pair(d.u2[0], d.u2[1])) {}

  void keep(DecimatorState& d) const {
    d.z1[0] = P::low(z1);
    d.z1[1] = P::high(z1);
    d.z2[0] = P::low(z2);
    d.z2[1] = P::high(z2);
    d.u1[0] = P::low(u1);
    d.u1[1] = P::high(u1);
    d.u2[0] = P::low(u2);
    d.u2[1] = P::high(u2);
  }

  // A frame's two steps one after the other, inputs x0 and x1; returns the second step's
  // outputs. Each frame's states wait for three multiply-adds on the last frame's.
  [[gnu::always_inline]] Vec frameInSteps(Vec x0, Vec x1) {
    const Vec midZ2 = P::negMulAdd(a2, z1, P::mul(c2, x0));
    const Vec midZ1 = P::negMulAdd(a1, z1, P::mulAdd(c1, x0, z2));
    const Vec y = P::mulAdd(b0, x1, midZ1);
    z2 = P::negMulAdd(a2, midZ1, P::mul(c2, x1));
    z1 = P::negMulAdd(a1, midZ1, P::mulAdd(c1, x1, midZ2));
    return y;
  }

  // Frames in pairs: the states after a pair follow from those before it by M^2, two
  // multiply-adds deep, with the pair's input terms worked out beside them; the states within
  // the pair are not kept. The first frame keeps its input terms in u1 and u2.
  [[gnu::always_inline]] Vec firstOfPair(Vec x0, Vec x1) {
    const Vec y = P::mulAdd(b0, x1, P::negMulAdd(a1, z1, P::mulAdd(c1, x0, z2)));
    u1 = P::mulAdd(bothSections<P>(&C::p1), x0, P::mul(c1, x1));
    u2 = P::mulAdd(bothSections<P>(&C::q1), x0, P::mul(c2, x1));
    return y;
  }

  [[gnu::always_inline]] Vec secondOfPair(Vec x2, Vec x3) {
    auto c = [](double C::*coefficient) { return bothSections<P>(coefficient); };
    const Vec y = P::mulAdd(
        c(&C::k1), z1,
        P::mulAdd(c(&C::k2), z2, P::negMulAdd(a1, u1, P::mulAdd(c1, x2, P::mulAdd(b0, x3, u2)))));
    const Vec w1 = P::mulAdd(c(&C::m11), u1,
                             P::mulAdd(c(&C::m12), u2, P::mulAdd(c(&C::p1), x2, P::mul(c1, x3))));
    const Vec w2 = P::mulAdd(c(&C::m21), u1,
                             P::mulAdd(c(&C::m22), u2, P::mulAdd(c(&C::q1), x2, P::mul(c2, x3))));
    const Vec nextZ1 = P::mulAdd(c(&C::n11), z1, P::mulAdd(c(&C::n12), z2, w1));
    z2 = P::mulAdd(c(&C::n21), z1, P::mulAdd(c(&C::n22), z2, w2));
    z1 = nextZ1;
    return y;
  }
};

// b.mixed (2 * frames steps) into b.filtered (frames values). The forms that count
// instructions take single steps; the others take frames in pairs, counted from the voice's
// silence, so a pair that a run cuts is finished by the next run: every frame computes the same
// whatever run it falls in, and how a block is cut into runs changes no bit.
template <class P>
inline void runDecimator(DecimatorState& d, StageBuffers& b, int frames) {
  using Vec = typename P::Vec;
  DecimatorLanes<P> lanes(d);
  const double* x = b.mixed;
  double* out = b.filtered;
  double* const end = b.filtered + frames;
  auto put = [](double* to, Vec y) { *to = P::low(y) + P::high(y); };
  if constexpr (P::kFewestInstructions) {
    for (; out < end; ++out, x += 2)
      put(out, lanes.frameInSteps(P::broadcast(x), P::broadcast(x + 1)));
  } else {
    if (d.pairOpen && out < end) {
      put(out++, lanes.secondOfPair(P::broadcast(x), P::broadcast(x + 1)));
      x += 2;
    }
    for (; out + 1 < end; out += 2, x += 4) {
      put(out, lanes.firstOfPair(P::broadcast(x), P::broadcast(x + 1)));
      put(out + 1, lanes.secondOfPair(P::broadcast(x + 2), P::broadcast(x + 3)));
    }
    d.pairOpen = out < end;
    if (d.pairOpen) put(out, lanes.firstOfPair(P::broadcast(x), P::broadcast(x + 1)));
  }
  lanes.keep(d);
  padAfter(b.filtered, frames);
}

}  // namespace voice
