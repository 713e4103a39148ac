// Sine of angles given in cycles, two at a time in SSE2 lanes, and 2^x for the
// small exponents of vibrato. Both are polynomial kernels accurate to about one unit in the
// last place: the voice evaluates them for every oversampled step, where a library call
// per value would cost more than the rest of the voice together.
#pragma once

#include <emmintrin.h>

namespace voice {

// Chebyshev-economized series of sin(2 pi r) / r in r^2 for |r| <= 1/4, and of 2^x for
// |x| <= 1/8. Each coefficient is stored twice, once per lane.
struct alignas(16) LanePair {
  double lane[2];
};
constexpr LanePair bothLanes(double x) {
  return {{x, x}};
}
inline constexpr LanePair kSinSeries[] = {
    bothLanes(6.283185307179586),  bothLanes(-41.34170224039975),  bothLanes(81.60524927607172),
    bothLanes(-76.70585975263434), bothLanes(42.05869391526577),   bothLanes(-15.094641368684599),
    bothLanes(3.8199227975201033), bothLanes(-0.7176853699001249), bothLanes(0.10071467531221284)};
inline constexpr LanePair kExp2Series[] = {bothLanes(1.0),
                                           bothLanes(0.6931471805599451),
                                           bothLanes(0.24022650695910067),
                                           bothLanes(0.055504108665003604),
                                           bothLanes(0.009618129107649505),
                                           bothLanes(0.0013333557727045922),
                                           bothLanes(0.00015403530016561536),
                                           bothLanes(1.5256312410530223e-05),
                                           bothLanes(1.3218242873613306e-06)};

inline __m128d load(const LanePair& p) {
  return _mm_load_pd(p.lane);
}

inline __m128d mulAdd(__m128d a, __m128d b, __m128d c) {
  return _mm_add_pd(_mm_mul_pd(a, b), c);
}

// c0 + c1 z + ... + c8 z^8 by Estrin's scheme: the same sum as Horner's rule, but in four
// dependent steps instead of eight, which shortens the voice's longest chain.
[[gnu::always_inline]] inline __m128d polynomial9(const LanePair (&c)[9], __m128d z) {
  const __m128d z2 = _mm_mul_pd(z, z);
  const __m128d z4 = _mm_mul_pd(z2, z2);
  const __m128d z8 = _mm_mul_pd(z4, z4);
  const __m128d p01 = mulAdd(load(c[1]), z, load(c[0]));
  const __m128d p23 = mulAdd(load(c[3]), z, load(c[2]));
  const __m128d p45 = mulAdd(load(c[5]), z, load(c[4]));
  const __m128d p67 = mulAdd(load(c[7]), z, load(c[6]));
  const __m128d p03 = mulAdd(p23, z2, p01);
  const __m128d p47 = mulAdd(p67, z2, p45);
  return mulAdd(load(c[8]), z8, mulAdd(p47, z4, p03));
}

// sin(2 pi n) for each lane; the reduction is exact for |n| < 2^50.
[[gnu::always_inline]] inline __m128d sinCycles(__m128d n) {
  // Adding 1.5 * 2^52 rounds to the nearest integer, so u = n - round(n) lies in [-1/2, 1/2].
  const __m128d shifter = _mm_set1_pd(6755399441055744.0);
  const __m128d u = _mm_sub_pd(n, _mm_sub_pd(_mm_add_pd(n, shifter), shifter));
  // sin(2 pi u) = sin(2 pi (+-1/2 - u)) folds the outer quarters onto |r| <= 1/4.
  const __m128d signBit = _mm_set1_pd(-0.0);
  const __m128d halfWithSign = _mm_or_pd(_mm_and_pd(u, signBit), _mm_set1_pd(0.5));
  const __m128d outer = _mm_cmpgt_pd(_mm_andnot_pd(signBit, u), _mm_set1_pd(0.25));
  const __m128d r =
      _mm_or_pd(_mm_and_pd(outer, _mm_sub_pd(halfWithSign, u)), _mm_andnot_pd(outer, u));
  return _mm_mul_pd(r, polynomial9(kSinSeries, _mm_mul_pd(r, r)));
}

// 2^x for |x| <= 1/8; exactly 1 at x = 0.
inline double exp2Small(double x) {
  return _mm_cvtsd_f64(polynomial9(kExp2Series, _mm_set1_pd(x)));
}

inline double lane0(__m128d v) {
  return _mm_cvtsd_f64(v);
}
inline double lane1(__m128d v) {
  return _mm_cvtsd_f64(_mm_unpackhi_pd(v, v));
}

}  // namespace voice
