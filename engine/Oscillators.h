// The three band-limited oscillators and their mix, evaluated for the two oversampled
// steps of one output frame at once: lane 0 holds the first step, lane 1 the second.
#pragma once

#include <emmintrin.h>

#include "engine/CycleTrig.h"
#include "engine/VoiceConstants.h"

namespace voice {

// The triangle's odd harmonics 1..63 as four interleaved chains: chain m of group g is
// harmonic 8g + 2m + 1. Each weight (+-1/k^2, or 0 above the harmonic limit) is stored
// twice, once per lane. The chains are independent, so they run side by side instead of
// as one long serial recurrence.
constexpr int kTriangleChains = 4;
constexpr int kTriangleGroups = 8;

struct TriangleWeights {
  int harmonicLimit;  // K
  alignas(16) double weight[kTriangleGroups][kTriangleChains][2];
};

// Rebuilds the weights for harmonics up to `limit`.
void setTriangleLimit(TriangleWeights& w, int limit);

// Per-frame mix settings derived from the smoothed parameters, one copy per lane.
struct MixSettings {
  LanePair square, triangle, sine;  // weights
  LanePair normaliser;              // max(sum of weights, 1)
  bool rescales;                    // normaliser above 1
  LanePair third, fifth;            // sine character shares of the 3rd and 5th harmonic
  LanePair characterNormaliser;     // 1 + 0.045 c
};

// Polynomial band-limited step correction for phase t and increment e, per lane.
inline __m128d blep(__m128d t, __m128d e) {
  const __m128d one = _mm_set1_pd(1.0);
  const __m128d two = _mm_set1_pd(2.0);
  const __m128d rising = _mm_div_pd(t, e);
  const __m128d afterEdge =
      _mm_sub_pd(_mm_sub_pd(_mm_mul_pd(two, rising), _mm_mul_pd(rising, rising)), one);
  const __m128d falling = _mm_div_pd(_mm_sub_pd(t, one), e);
  const __m128d beforeEdge =
      _mm_add_pd(_mm_add_pd(_mm_mul_pd(falling, falling), _mm_mul_pd(two, falling)), one);
  const __m128d isAfter = _mm_cmplt_pd(t, e);
  const __m128d isBefore = _mm_cmpgt_pd(t, _mm_sub_pd(one, e));
  return _mm_or_pd(_mm_and_pd(isAfter, afterEdge), _mm_and_pd(isBefore, beforeEdge));
}

[[gnu::always_inline]] inline __m128d squareWave(__m128d phase, __m128d e) {
  const __m128d one = _mm_set1_pd(1.0);
  const __m128d half = _mm_set1_pd(kSquareSplitPhase);
  const __m128d firstHalf = _mm_cmplt_pd(phase, half);
  const __m128d level = _mm_or_pd(_mm_and_pd(firstHalf, one), _mm_andnot_pd(firstHalf, -one));
  // The falling edge sits half a cycle later; the wrap is exact for phases in [0, 1).
  __m128d shifted = _mm_add_pd(phase, half);
  shifted = _mm_sub_pd(shifted, _mm_and_pd(_mm_cmpge_pd(shifted, one), one));
  // Away from both edges both corrections are 0 and the level stands alone.
  const __m128d lastStep = _mm_sub_pd(one, e);
  const __m128d nearEdge =
      _mm_or_pd(_mm_or_pd(_mm_cmplt_pd(phase, e), _mm_cmpgt_pd(phase, lastStep)),
                _mm_or_pd(_mm_cmplt_pd(shifted, e), _mm_cmpgt_pd(shifted, lastStep)));
  if (_mm_movemask_pd(nearEdge) == 0) return level;
  return _mm_sub_pd(_mm_add_pd(level, blep(phase, e)), blep(shifted, e));
}

// Sines of the odd multiples 1, 3, 5, 7 of the step angle, which start the harmonic chains
// and feed the sine oscillator, and the chains' stride factor 2 cos 8 theta.
struct OddSines {
  __m128d s1, s3, s5, s7;
  __m128d stride8;
};

[[gnu::always_inline]] inline OddSines oddSines(__m128d sinTheta) {
  const __m128d one = _mm_set1_pd(1.0);
  const __m128d two = _mm_set1_pd(2.0);
  // sin((k + 2) t) = 2 cos 2t sin k t - sin((k - 2) t), with cos 2t = 1 - 2 sin^2 t.
  const __m128d cos2 = _mm_sub_pd(one, _mm_mul_pd(two, _mm_mul_pd(sinTheta, sinTheta)));
  const __m128d stride2 = _mm_mul_pd(two, cos2);
  OddSines o;
  o.s1 = sinTheta;
  o.s3 = _mm_add_pd(_mm_mul_pd(stride2, o.s1), o.s1);
  o.s5 = _mm_sub_pd(_mm_mul_pd(stride2, o.s3), o.s1);
  o.s7 = _mm_sub_pd(_mm_mul_pd(stride2, o.s5), o.s3);
  const __m128d cos4 = _mm_sub_pd(_mm_mul_pd(two, _mm_mul_pd(cos2, cos2)), one);
  const __m128d cos8 = _mm_sub_pd(_mm_mul_pd(two, _mm_mul_pd(cos4, cos4)), one);
  o.stride8 = _mm_mul_pd(two, cos8);
  return o;
}

// Sum of +-sin(k theta)/k^2 over the odd harmonics up to the limit, times 8/pi^2. Each chain
// is summed with Clenshaw's recurrence b_g = w_g + 2 cos(8 theta) b_(g+1) - b_(g+2), from the
// top group down; its sum is b_0 sin((2m + 1) theta) + b_1 sin((7 - 2m) theta).
[[gnu::always_inline]] inline __m128d triangleWave(const OddSines& o, const TriangleWeights& w) {
  __m128d b0[kTriangleChains], b1[kTriangleChains];
#pragma GCC unroll 4
  for (int m = 0; m < kTriangleChains; ++m) {
    b0[m] = _mm_load_pd(w.weight[kTriangleGroups - 1][m]);
    b1[m] = _mm_setzero_pd();
  }
#pragma GCC unroll 8
  for (int g = kTriangleGroups - 2; g >= 0; --g) {
#pragma GCC unroll 4
    for (int m = 0; m < kTriangleChains; ++m) {
      // w - b_(g+2) does not wait for b_(g+1), keeping each step to one multiply and add.
      const __m128d next = mulAdd(o.stride8, b0[m], _mm_sub_pd(_mm_load_pd(w.weight[g][m]), b1[m]));
      b1[m] = b0[m];
      b0[m] = next;
    }
  }
  const __m128d first[kTriangleChains] = {o.s1, o.s3, o.s5, o.s7};
  __m128d sum[kTriangleChains];
#pragma GCC unroll 4
  for (int m = 0; m < kTriangleChains; ++m)
    sum[m] =
        _mm_add_pd(_mm_mul_pd(b0[m], first[m]), _mm_mul_pd(b1[m], first[kTriangleChains - 1 - m]));
  const __m128d total = _mm_add_pd(_mm_add_pd(sum[0], sum[1]), _mm_add_pd(sum[2], sum[3]));
  return _mm_mul_pd(_mm_set1_pd(kTriangleScale), total);
}

[[gnu::always_inline]] inline __m128d sineWave(const OddSines& o, const MixSettings& m) {
  const __m128d third = _mm_mul_pd(load(m.third), o.s3);
  const __m128d fifth = _mm_mul_pd(load(m.fifth), o.s5);
  return _mm_div_pd(_mm_add_pd(_mm_add_pd(o.s1, third), fifth), load(m.characterNormaliser));
}

// The mixed oscillator signal at the two step phases, with increment e per step.
[[gnu::always_inline]] inline __m128d mixedOscillators(__m128d phase, double e,
                                                       const TriangleWeights& w,
                                                       const MixSettings& m) {
  const OddSines o = oddSines(sinCycles(phase));
  const __m128d square = squareWave(phase, _mm_set1_pd(e));
  const __m128d triangle = triangleWave(o, w);
  const __m128d sine = sineWave(o, m);
  const __m128d mix = _mm_add_pd(
      _mm_add_pd(_mm_mul_pd(load(m.square), square), _mm_mul_pd(load(m.triangle), triangle)),
      _mm_mul_pd(load(m.sine), sine));
  // Weights summing to 1 or less are not rescaled; dividing by 1 would change nothing.
  return m.rescales ? _mm_div_pd(mix, load(m.normaliser)) : mix;
}

}  // namespace voice
