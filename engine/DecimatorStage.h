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

// A value of both sections, kept in the state's two entries.
template <class P>
void keepSections(double (&to)[2], typename P::Vec v) {
  to[0] = P::low(v);
  to[1] = P::high(v);
}

// The states and coefficients of both sections, a frame's two steps one after the other.
template <class P>
struct DecimatorSteps {
  using Vec = typename P::Vec;
  using C = FrameCoefficients;
  const Vec b0 = bothSections<P>(&C::b0), c1 = bothSections<P>(&C::c1),
            c2 = bothSections<P>(&C::c2), a1 = bothSections<P>(&C::a1),
            a2 = bothSections<P>(&C::a2);
  Vec z1, z2;

  explicit DecimatorSteps(const DecimatorState& d)
      : z1(P::pair(d.z1[0], d.z1[1])), z2(P::pair(d.z2[0], d.z2[1])) {}

  void keep(DecimatorState& d) const {
    keepSections<P>(d.z1, z1);
    keepSections<P>(d.z2, z2);
  }

  // Inputs x0 and x1; returns the second step's outputs. Each frame's states wait for three
  // multiply-adds on the last frame's.
  [[gnu::always_inline]] Vec frame(Vec x0, Vec x1) {
    const Vec midZ2 = P::negMulAdd(a2, z1, P::mul(c2, x0));
    const Vec midZ1 = P::negMulAdd(a1, z1, P::mulAdd(c1, x0, z2));
    const Vec y = P::mulAdd(b0, x1, midZ1);
    z2 = P::negMulAdd(a2, midZ1, P::mul(c2, x1));
    z1 = P::negMulAdd(a1, midZ1, P::mulAdd(c1, x1, midZ2));
    return y;
  }
};

// Frames in pairs: the states after a pair follow from those before it by M^2, two
// multiply-adds deep, with the pair's input terms worked out beside them; the states within
// the pair are not kept. The first frame keeps its input terms in u. Everything runs in quads
// (P::Quad) whose halves each hold both sections: the two states, or the two input terms,
// side by side where they get the same operations, and each state in both halves, so that a
// new state comes out of the quad without a shuffle on the chain from pair to pair. The
// outputs take the low halves.
template <class P>
struct DecimatorPairs {
  using Vec = typename P::Vec;
  using Q = typename P::Quad;
  using Quad = typename Q::Vec;
  using C = FrameCoefficients;

  static Quad inBothHalves(double C::*c) { return Q::quad(bothSections<P>(c), bothSections<P>(c)); }
  static Quad firstThenSecond(double C::*first, double C::*second) {
    return Q::quad(bothSections<P>(first), bothSections<P>(second));
  }

  const Quad b0 = inBothHalves(&C::b0), c1 = inBothHalves(&C::c1), a1 = inBothHalves(&C::a1),
             k1 = inBothHalves(&C::k1), k2 = inBothHalves(&C::k2);
  // Input terms [u1 | u2] from the steps x0 and x1 of a frame: p1 x0 + c1 x1, q1 x0 + c2 x1.
  const Quad byFirstStep = firstThenSecond(&C::p1, &C::q1),
             bySecondStep = firstThenSecond(&C::c1, &C::c2);
  // [w1 | w2]: M [u1, u2] plus the second frame's input terms.
  const Quad byU1 = firstThenSecond(&C::m11, &C::m21), byU2 = firstThenSecond(&C::m12, &C::m22);
  const Quad n11 = inBothHalves(&C::n11), n12 = inBothHalves(&C::n12), n21 = inBothHalves(&C::n21),
             n22 = inBothHalves(&C::n22);
  Quad z1, z2;  // each state in both halves
  Quad u;       // [u1 | u2]

  explicit DecimatorPairs(const DecimatorState& d)
      : z1(Q::quad(P::pair(d.z1[0], d.z1[1]), P::pair(d.z1[0], d.z1[1]))),
        z2(Q::quad(P::pair(d.z2[0], d.z2[1]), P::pair(d.z2[0], d.z2[1]))),
        u(Q::quad(P::pair(d.u1[0], d.u1[1]), P::pair(d.u2[0], d.u2[1]))) {}

  void keep(DecimatorState& d) const {
    keepSections<P>(d.z1, Q::low(z1));
    keepSections<P>(d.z2, Q::low(z2));
    keepSections<P>(d.u1, Q::low(u));
    keepSections<P>(d.u2, Q::high(u));
  }

  // Each frame's outputs, one per section, in the low half; x points to its two steps.
  [[gnu::always_inline]] Vec firstOfPair(const double* x) {
    const Quad x0 = Q::broadcast(x), x1 = Q::broadcast(x + 1);
    const Quad y = Q::mulAdd(b0, x1, Q::negMulAdd(a1, z1, Q::mulAdd(c1, x0, z2)));
    u = Q::mulAdd(byFirstStep, x0, Q::mul(bySecondStep, x1));
    return Q::low(y);
  }

  [[gnu::always_inline]] Vec secondOfPair(const double* x) {
    const Quad x2 = Q::broadcast(x), x3 = Q::broadcast(x + 1);
    const Quad u1 = Q::lowTwice(u), u2 = Q::highTwice(u);
    const Quad y = Q::mulAdd(
        k1, z1, Q::mulAdd(k2, z2, Q::negMulAdd(a1, u1, Q::mulAdd(c1, x2, Q::mulAdd(b0, x3, u2)))));
    const Quad w = Q::mulAdd(
        byU1, u1, Q::mulAdd(byU2, u2, Q::mulAdd(byFirstStep, x2, Q::mul(bySecondStep, x3))));
    const Quad w1 = Q::lowTwice(w), w2 = Q::highTwice(w);
    const Quad nextZ1 = Q::mulAdd(n11, z1, Q::mulAdd(n12, z2, w1));
    z2 = Q::mulAdd(n21, z1, Q::mulAdd(n22, z2, w2));
    z1 = nextZ1;
    return Q::low(y);
  }
};

// b.mixed (2 * frames steps) into b.filtered (frames values). The forms that count
// instructions take single steps; the others take frames in pairs, counted from the voice's
// silence, so a pair that a run cuts is finished by the next run: every frame computes the same
// whatever run it falls in, and how a block is cut into runs changes no bit.
template <class P>
inline void runDecimator(DecimatorState& d, StageBuffers& b, int frames) {
  using Vec = typename P::Vec;
  const double* x = b.mixed;
  double* out = b.filtered;
  double* const end = b.filtered + frames;
  // Each output is the sum of the sections.
  auto put = [](double* to, Vec y) { *to = P::low(y) + P::high(y); };
  if constexpr (P::kFewestInstructions) {
    DecimatorSteps<P> lanes(d);
    for (; out < end; ++out, x += 2)
      put(out, lanes.frame(P::broadcast(x), P::broadcast(x + 1)));
    lanes.keep(d);
  } else {
    DecimatorPairs<P> lanes(d);
    if (d.pairOpen && out < end) {
      put(out++, lanes.secondOfPair(x));
      x += 2;
    }
    for (; out + 1 < end; out += 2, x += 4) {
      const Vec first = lanes.firstOfPair(x);
      P::storeSums(out, first, lanes.secondOfPair(x + 2));
    }
    d.pairOpen = out < end;
    if (d.pairOpen) put(out, lanes.firstOfPair(x));
    lanes.keep(d);
  }
  padAfter(b.filtered, frames);
}

}  // namespace voice
