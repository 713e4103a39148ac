// Two doubles per vector in SSE registers with VEX encoding and fused multiply-add: the form
// the decimator's two sections run in on processors with AVX2 and FMA. Include only between
// target pragmas that enable FMA, in a file that instantiates the stages; the names have
// internal linkage.
#pragma once

#include <immintrin.h>

namespace voice {
namespace {

struct FmaPairLanes {
  using Vec = __m128d;
  // Fused multiply-adds make the shorter chains cheap: prefer them.
  static constexpr bool kFewestInstructions = false;

  // *p in both lanes.
  [[gnu::always_inline]] static Vec broadcast(const double* p) { return _mm_loaddup_pd(p); }
  [[gnu::always_inline]] static Vec pair(double lo, double hi) { return _mm_set_pd(hi, lo); }
  [[gnu::always_inline]] static double low(Vec v) { return _mm_cvtsd_f64(v); }
  [[gnu::always_inline]] static double high(Vec v) { return _mm_cvtsd_f64(_mm_unpackhi_pd(v, v)); }

  [[gnu::always_inline]] static Vec mul(Vec a, Vec b) { return _mm_mul_pd(a, b); }
  [[gnu::always_inline]] static Vec mulAdd(Vec a, Vec b, Vec c) { return _mm_fmadd_pd(a, b, c); }
  [[gnu::always_inline]] static Vec negMulAdd(Vec a, Vec b, Vec c) {
    return _mm_fnmadd_pd(a, b, c);
  }
};

}  // namespace
}  // namespace voice
