// Two doubles per vector in SSE registers with VEX encoding and fused multiply-add: the form
// the decimator's two sections run in on processors with AVX2 and FMA; and four, for two
// quantities of both sections side by side. Include only between target pragmas that enable
// AVX2 and FMA, in a file that instantiates the stages; the names have internal linkage.
#pragma once

#include <immintrin.h>

namespace voice {
namespace {

// Lanes 0 and 1 hold one quantity of the two sections, lanes 2 and 3 another.
struct FmaQuadLanes {
  using Vec = __m256d;
  using Half = __m128d;

  [[gnu::always_inline]] static Vec broadcast(const double* p) { return _mm256_broadcast_sd(p); }
  [[gnu::always_inline]] static Vec quad(Half low, Half high) {
    return _mm256_set_m128d(high, low);
  }
  [[gnu::always_inline]] static Half low(Vec v) { return _mm256_castpd256_pd128(v); }
  [[gnu::always_inline]] static Half high(Vec v) { return _mm256_extractf128_pd(v, 1); }
  // The low or the high half in both halves.
  [[gnu::always_inline]] static Vec lowTwice(Vec v) { return _mm256_permute2f128_pd(v, v, 0x00); }
  [[gnu::always_inline]] static Vec highTwice(Vec v) { return _mm256_permute2f128_pd(v, v, 0x11); }

  [[gnu::always_inline]] static Vec mul(Vec a, Vec b) { return _mm256_mul_pd(a, b); }
  [[gnu::always_inline]] static Vec mulAdd(Vec a, Vec b, Vec c) { return _mm256_fmadd_pd(a, b, c); }
  [[gnu::always_inline]] static Vec negMulAdd(Vec a, Vec b, Vec c) {
    return _mm256_fnmadd_pd(a, b, c);
  }
};

struct FmaPairLanes {
  using Vec = __m128d;
  using Quad = FmaQuadLanes;
  // Fused multiply-adds make the shorter chains cheap: prefer them.
  static constexpr bool kFewestInstructions = false;

  // *p in both lanes.
  [[gnu::always_inline]] static Vec broadcast(const double* p) { return _mm_loaddup_pd(p); }
  [[gnu::always_inline]] static Vec pair(double lo, double hi) { return _mm_set_pd(hi, lo); }
  [[gnu::always_inline]] static double low(Vec v) { return _mm_cvtsd_f64(v); }
  [[gnu::always_inline]] static double high(Vec v) { return _mm_cvtsd_f64(_mm_unpackhi_pd(v, v)); }
  // p[0] = the sum of a's lanes, p[1] = the sum of b's.
  [[gnu::always_inline]] static void storeSums(double* p, Vec a, Vec b) {
    _mm_storeu_pd(p, _mm_hadd_pd(a, b));
  }

  [[gnu::always_inline]] static Vec mul(Vec a, Vec b) { return _mm_mul_pd(a, b); }
  [[gnu::always_inline]] static Vec mulAdd(Vec a, Vec b, Vec c) { return _mm_fmadd_pd(a, b, c); }
  [[gnu::always_inline]] static Vec negMulAdd(Vec a, Vec b, Vec c) {
    return _mm_fnmadd_pd(a, b, c);
  }
};

}  // namespace
}  // namespace voice
