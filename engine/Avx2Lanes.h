// Four doubles per vector in AVX registers, with fused multiply-add: the engine's vector
// operations for processors with AVX2 and FMA. Include only between the target pragmas
// ("avx2,fma") of the one file that instantiates the stages for this form; the names have
// internal linkage, so no function compiled for AVX2 can stand in for a baseline one.
#pragma once

#include <immintrin.h>

#include "engine/FmaPairLanes.h"
#include "engine/TriangleWeights.h"

namespace voice {
namespace {

struct Avx2Lanes {
  using Vec = __m256d;
  using Mask = __m256d;       // all ones in a lane where a comparison holds
  using Pair = FmaPairLanes;  // the two-lane form the decimator runs in
  static constexpr int kLanes = 4;
  static constexpr int kTriangleSines = 4;
  // Fused multiply-adds make the shorter chains cheap: prefer them.
  static constexpr bool kFewestInstructions = false;

  // VEX-encoded loads need no alignment.
  [[gnu::always_inline]] static Vec load(const double* p) { return _mm256_loadu_pd(p); }
  // A coefficient's stored lanes (TriangleWeights.h), whole.
  [[gnu::always_inline]] static Vec loadCoefficient(const double* p) { return load(p); }
  // Coefficient c of each frame's own row: two lanes (a frame's two steps) from each of two.
  [[gnu::always_inline]] static Vec loadCoefficientPerFrame(const TriangleRow* rows, int c) {
    return _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(rows[0][c])),
                                _mm_loadu_pd(rows[1][c]), 1);
  }
  [[gnu::always_inline]] static void store(double* p, Vec v) { _mm256_storeu_pd(p, v); }
  [[gnu::always_inline]] static void storeUnaligned(double* p, Vec v) { _mm256_storeu_pd(p, v); }
  [[gnu::always_inline]] static Vec set1(double x) { return _mm256_set1_pd(x); }
  // v[0] in the lowest lane.
  [[gnu::always_inline]] static Vec ofLanes(const double (&v)[kLanes]) {
    return _mm256_set_pd(v[3], v[2], v[1], v[0]);
  }
  [[gnu::always_inline]] static Vec zero() { return _mm256_setzero_pd(); }

  [[gnu::always_inline]] static Vec add(Vec a, Vec b) { return _mm256_add_pd(a, b); }
  [[gnu::always_inline]] static Vec sub(Vec a, Vec b) { return _mm256_sub_pd(a, b); }
  [[gnu::always_inline]] static Vec mul(Vec a, Vec b) { return _mm256_mul_pd(a, b); }
  [[gnu::always_inline]] static Vec div(Vec a, Vec b) { return _mm256_div_pd(a, b); }
  [[gnu::always_inline]] static Vec min(Vec a, Vec b) { return _mm256_min_pd(a, b); }
  // a * b + c and c - a * b, each rounded once.
  [[gnu::always_inline]] static Vec mulAdd(Vec a, Vec b, Vec c) { return _mm256_fmadd_pd(a, b, c); }
  [[gnu::always_inline]] static Vec mulSub(Vec a, Vec b, Vec c) { return _mm256_fmsub_pd(a, b, c); }
  [[gnu::always_inline]] static Vec negMulAdd(Vec a, Vec b, Vec c) {
    return _mm256_fnmadd_pd(a, b, c);
  }

  [[gnu::always_inline]] static Vec abs(Vec v) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), v); }
  [[gnu::always_inline]] static Vec signBits(Vec v) {
    return _mm256_and_pd(_mm256_set1_pd(-0.0), v);
  }
  [[gnu::always_inline]] static Vec flipSigns(Vec v, Vec signs) { return _mm256_xor_pd(v, signs); }

  [[gnu::always_inline]] static Mask less(Vec a, Vec b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
  [[gnu::always_inline]] static Mask greater(Vec a, Vec b) {
    return _mm256_cmp_pd(a, b, _CMP_GT_OQ);
  }
  [[gnu::always_inline]] static Mask greaterEqual(Vec a, Vec b) {
    return _mm256_cmp_pd(a, b, _CMP_GE_OQ);
  }
  [[gnu::always_inline]] static Mask lessEqual(Vec a, Vec b) {
    return _mm256_cmp_pd(a, b, _CMP_LE_OQ);
  }
  [[gnu::always_inline]] static Mask either(Mask a, Mask b) { return _mm256_or_pd(a, b); }
  [[gnu::always_inline]] static bool any(Mask m) { return _mm256_movemask_pd(m) != 0; }
  [[gnu::always_inline]] static Vec select(Mask m, Vec ifTrue, Vec ifFalse) {
    return _mm256_blendv_pd(ifFalse, ifTrue, m);
  }
  [[gnu::always_inline]] static Vec keep(Mask m, Vec ifTrue) { return _mm256_and_pd(m, ifTrue); }

  [[gnu::always_inline]] static void storeFloats(float* p, Vec v) {
    _mm_storeu_ps(p, _mm256_cvtpd_ps(v));
  }
  [[gnu::always_inline]] static void addFloats(float* p, Vec v) {
    _mm_storeu_ps(p, _mm_add_ps(_mm_loadu_ps(p), _mm256_cvtpd_ps(v)));
  }
};

}  // namespace
}  // namespace voice
