// The oscillator bank: the band-limited square with its correction, the additive triangle and
// the coloured sine, mixed, for a stretch of oversampled steps at once, one step per vector
// lane (V is one of the engine's vector forms). Templates only: each form instantiates them
// under its own instruction set.
#pragma once

#include "engine/CycleTrig.h"
#include "engine/PhaseSteps.h"
#include "engine/StageBuffers.h"
#include "engine/TriangleWeights.h"
#include "engine/VoiceConstants.h"

namespace voice {

// A phase nearer than this to an edge, beyond the increment, counts as near it: far more than
// the roundings of the folded phase, far less than any increment.
constexpr double kEdgeMargin = 1e-12;

// Polynomial band-limited step correction for phase t and increment e.
template <class V>
[[gnu::always_inline]] inline typename V::Vec blep(typename V::Vec t, typename V::Vec e) {
  using Vec = typename V::Vec;
  const Vec one = V::set1(1.0);
  const Vec two = V::set1(2.0);
  const Vec rising = V::div(t, e);
  const Vec afterEdge = V::sub(V::negMulAdd(rising, rising, V::mul(two, rising)), one);
  const Vec falling = V::div(V::sub(t, one), e);
  const Vec beforeEdge = V::add(V::mulAdd(falling, falling, V::mul(two, falling)), one);
  return V::select(V::less(t, e), afterEdge, V::keep(V::greater(t, V::sub(one, e)), beforeEdge));
}

// The square at phase p with increment e: +1 below half a cycle, -1 from there, corrected at
// both edges.
template <class V>
[[gnu::always_inline]] inline typename V::Vec squareWave(typename V::Vec p, typename V::Vec e,
                                                         const FoldedPhase<V>& folded) {
  using Vec = typename V::Vec;
  const Vec level = V::flipSigns(V::set1(-1.0), folded.signOfU);
  // folded.r is the distance to the nearest edge: away from both, both corrections are 0.
  if (!V::any(V::less(folded.r, V::add(e, V::set1(kEdgeMargin))))) return level;
  const Vec one = V::set1(1.0);
  // The falling edge sits half a cycle later; the wrap is exact for phases in [0, 1).
  Vec shifted = V::add(p, V::set1(kSquareSplitPhase));
  shifted = V::sub(shifted, V::keep(V::greaterEqual(shifted, one), one));
  return V::sub(V::add(level, blep<V>(p, e)), blep<V>(shifted, e));
}

// Sines of the odd multiples 1, 3, 5 and, for four sines, 7 of the step angle theta, which
// the triangle's polynomials weigh and which make the sine oscillator; and the polynomials'
// variable 2 cos(2 C theta) for C sines.
template <class V>
struct OddSines {
  typename V::Vec s[4];
  typename V::Vec stride;
};

template <class V>
[[gnu::always_inline]] inline OddSines<V> oddSines(const FoldedPhase<V>& folded) {
  using Vec = typename V::Vec;
  const Vec two = V::set1(2.0);
  const Vec z = V::mul(folded.r, folded.r);
  const Vec series = negSineSeries<V>(z);
  const Vec sinTheta = sinOfSeries<V>(folded, series);
  // 2 cos 2t = 2 - 4 sin^2 t; sin((k + 2) t) = 2 cos 2t sin kt - sin((k - 2) t);
  // 2 cos 2x = (2 cos x)^2 - 2. The wide forms take sin^2 t as r^2 series^2, one
  // multiplication more but not waiting for the sine: the polynomials wait for the stride.
  Vec stride2;
  if constexpr (V::kFewestInstructions)
    stride2 = V::negMulAdd(V::set1(4.0), V::mul(sinTheta, sinTheta), two);
  else
    stride2 = V::negMulAdd(V::mul(V::set1(4.0), z), V::mul(series, series), two);
  OddSines<V> o;
  o.s[0] = sinTheta;
  o.s[1] = V::mulAdd(stride2, sinTheta, sinTheta);
  o.s[2] = V::sub(V::mul(stride2, o.s[1]), o.s[0]);
  o.stride = V::sub(V::mul(stride2, stride2), two);
  if constexpr (V::kTriangleSines == 4) {
    // sin 7t = 2 cos 4t sin 3t + sin t: one step after sin 3t rather than two.
    o.s[3] = V::mulAdd(o.stride, o.s[1], o.s[0]);
    o.stride = V::sub(V::mul(o.stride, o.stride), two);
  }
  return o;
}

// The mix weights of a run: the same for every step, or one per step while smoothing moves
// them.
template <class V>
struct HeldMix {
  typename V::Vec term[kMixTerms];
  explicit HeldMix(const StageBuffers& b) {
    for (int t = 0; t < kMixTerms; ++t)
      term[t] = V::set1(b.mix[t]);
  }
  [[gnu::always_inline]] typename V::Vec at(int t, int) const { return term[t]; }
};

template <class V>
struct SteppedMix {
  const StageBuffers& b;
  [[gnu::always_inline]] typename V::Vec at(int t, int step) const {
    return V::load(b.stepMix[t] + step);
  }
};

// The triangle's coefficients for a vector: one row of the table for all its lanes...
template <class V>
struct OneRow {
  TriangleRow row;
  [[gnu::always_inline]] typename V::Vec at(int c) const { return V::loadCoefficient(row[c]); }
};

// ...or each frame's lanes from its own row, the rows of the vector's frames in turn.
template <class V>
struct RowPerFrame {
  const TriangleRow* rows;
  [[gnu::always_inline]] typename V::Vec at(int c) const {
    return V::loadCoefficientPerFrame(rows, c);
  }
};

// The mixed oscillators at the steps i .. i + lanes - 1. The triangle, sum of +-sin(k theta)
// / k^2 over the odd harmonics up to the limit, is the sum over the four sines of theta,
// 3 theta, .. (2C - 1) theta, each weighed by its polynomial in 2 cos(2C theta) (see
// TriangleWeights.h) by Horner's rule; the C polynomials run side by side. Each sine's
// weight is taken together with the sine oscillator's.
template <class V, class Mix, class Rows>
[[gnu::always_inline]] inline typename V::Vec mixedOscillators(const Rows& rows, const Mix& mix,
                                                               int i, typename V::Vec phase,
                                                               typename V::Vec increment) {
  using Vec = typename V::Vec;
  constexpr int kSines = V::kTriangleSines;
  constexpr int kCoefficients = kTriangleTerms / kSines;
  const FoldedPhase<V> folded = foldPhase<V>(phase);
  const OddSines<V> o = oddSines<V>(folded);

  Vec harmonic[kSines];
#pragma GCC unroll 4
  for (int j = 0; j < kSines; ++j)
    harmonic[j] = rows.at(j * kCoefficients + kCoefficients - 1);
#pragma GCC unroll 16
  for (int c = kCoefficients - 2; c >= 0; --c) {
#pragma GCC unroll 4
    for (int j = 0; j < kSines; ++j)
      harmonic[j] = V::mulAdd(harmonic[j], o.stride, rows.at(j * kCoefficients + c));
  }

  const Vec triangle = mix.at(kTriangleTerm, i);
  Vec out = V::mul(mix.at(kSquareTerm, i), squareWave<V>(phase, increment, folded));
#pragma GCC unroll 4
  for (int j = 0; j < kSines; ++j) {
    const Vec weight = j < 3 ? V::mulAdd(triangle, harmonic[j], mix.at(kFundamentalTerm + j, i))
                             : V::mul(triangle, harmonic[j]);
    out = V::mulAdd(weight, o.s[j], out);
  }
  if constexpr (kSines < 3) out = V::mulAdd(mix.at(kFifthTerm, i), o.s[2], out);
  return out;
}

// Mixed oscillators for steps [from, to) in whole vectors, from the control stage's phases
// and increments, into b.mixed; the last vector may run past `to` into the arrays' spare room.
template <class V, class Mix>
[[gnu::always_inline]] inline void runOscillatorBank(StageBuffers& b, int from, int to,
                                                     const Mix& mix) {
  const OneRow<V> rows{b.triangle.coefficient};
  for (int i = from; i < to; i += V::kLanes)
    V::store(b.mixed + i,
             mixedOscillators<V>(rows, mix, i, V::load(b.phase + i), V::load(b.increment + i)));
}

// The same for steps [0, steps) of a chunk whose frames lie in several harmonic segments: each
// vector takes the rows of its frames' limits, so that segments of a frame or two, as close
// notes of many pitches give, share vectors instead of taking one each.
template <class V, class Mix>
[[gnu::always_inline]] inline void runSegmentedBank(StageBuffers& b, int steps, const Mix& mix) {
  constexpr int kFramesPerVector = V::kLanes / kOversampling;
  const int frames = steps / kOversampling;
  TriangleRow rows[kFrameCapacity];
  for (int s = 0; s < b.segmentCount; ++s) {
    const TriangleRow row = triangleRow(b.triangle, b.segments[s].limit);
    const int end = s + 1 < b.segmentCount ? b.segments[s + 1].firstFrame : frames;
    for (int f = b.segments[s].firstFrame; f < end; ++f)
      rows[f] = row;
  }
  for (int f = frames; f < frames + kFramesPerVector; ++f)
    rows[f] = rows[frames - 1];
  for (int i = 0; i < steps; i += V::kLanes) {
    const TriangleRow* vectorRows = rows + i / kOversampling;
    const typename V::Vec phase = V::load(b.phase + i), increment = V::load(b.increment + i);
    if constexpr (kFramesPerVector > 1) {
      bool oneRow = true;
      for (int f = 1; f < kFramesPerVector; ++f)
        oneRow &= vectorRows[f] == vectorRows[0];
      if (!oneRow) {
        V::store(b.mixed + i,
                 mixedOscillators<V>(RowPerFrame<V>{vectorRows}, mix, i, phase, increment));
        continue;
      }
    }
    V::store(b.mixed + i, mixedOscillators<V>(OneRow<V>{vectorRows[0]}, mix, i, phase, increment));
  }
}

// The same for steps [0, steps) of one steady stretch, whose phases the bank steps itself
// from `phase` by `increment`; returns the phase after them. The lanes of a last, partial
// vector past `steps` repeat its last phase.
template <class V, class Mix>
[[gnu::always_inline]] inline double runSteppedBank(StageBuffers& b, int steps, const Mix& mix,
                                                    double phase, double increment) {
  const typename V::Vec increments = V::set1(increment);
  const OneRow<V> rows{b.triangle.coefficient};
  double lanes[V::kLanes];
  int i = 0;
  for (; i + V::kLanes <= steps; i += V::kLanes) {
#pragma GCC unroll 8
    for (double& lane : lanes) {
      lane = phase;
      phase = advancePhase(phase, increment);
    }
    V::store(b.mixed + i, mixedOscillators<V>(rows, mix, i, V::ofLanes(lanes), increments));
  }
  if (i == steps) return phase;
  for (int l = 0; l < V::kLanes; ++l) {
    lanes[l] = phase;
    if (i + l + 1 < steps) phase = advancePhase(phase, increment);
  }
  V::store(b.mixed + i, mixedOscillators<V>(rows, mix, i, V::ofLanes(lanes), increments));
  return advancePhase(phase, increment);
}

}  // namespace voice
