// Eight doubles per vector in AVX-512 registers, with fused multiply-add: the engine's vector
// operations for processors with AVX-512F. Comparisons give mask registers. Include only
// between the target pragmas ("avx512f,avx2,fma") of the one file that instantiates the stages
// for this form; the names have internal linkage, so no function compiled for AVX-512 can
// stand in for a baseline one.
#pragma once

#include <immintrin.h>

#include "engine/FmaPairLanes.h"
#include "engine/TriangleWeights.h"

namespace voice {
namespace {

struct Avx512Lanes {
  using Vec = __m512d;
  using Mask = __mmask8;      // one bit per lane where a comparison holds
  using Pair = FmaPairLanes;  // the two-lane form the decimator runs in
  static constexpr int kLanes = 8;
  static constexpr int kTriangleSines = 4;
  // Fused multiply-adds make the shorter chains cheap: prefer them.
  static constexpr bool kFewestInstructions = false;

  [[gnu::always_inline]] static Vec load(const double* p) { return _mm512_loadu_pd(p); }
  // One stored copy in every lane: folds into the multiply-add as an embedded broadcast.
  [[gnu::always_inline]] static Vec loadCoefficient(const double* p) { return _mm512_set1_pd(*p); }
  // Coefficient c of each frame's own row: two lanes (a frame's two steps) from each of four.
  [[gnu::always_inline]] static Vec loadCoefficientPerFrame(const TriangleRow* rows, int c) {
    const __m256d low = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(rows[0][c])),
                                             _mm_loadu_pd(rows[1][c]), 1);
    const __m256d high = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(rows[2][c])),
                                              _mm_loadu_pd(rows[3][c]), 1);
    // The masked forms, all lanes set: the plain ones pass an undefined vector through, which
    // the compiler takes for an uninitialised read.
    const Vec zero = _mm512_setzero_pd();
    const Vec lowHalf = _mm512_mask_insertf64x4(zero, 0xFF, zero, low, 0);
    return _mm512_mask_insertf64x4(lowHalf, 0xFF, lowHalf, high, 1);
  }
  [[gnu::always_inline]] static void store(double* p, Vec v) { _mm512_storeu_pd(p, v); }
  [[gnu::always_inline]] static void storeUnaligned(double* p, Vec v) { _mm512_storeu_pd(p, v); }
  [[gnu::always_inline]] static Vec set1(double x) { return _mm512_set1_pd(x); }
  // v[0] in the lowest lane.
  [[gnu::always_inline]] static Vec ofLanes(const double (&v)[kLanes]) {
    return _mm512_set_pd(v[7], v[6], v[5], v[4], v[3], v[2], v[1], v[0]);
  }
  [[gnu::always_inline]] static Vec zero() { return _mm512_setzero_pd(); }

  [[gnu::always_inline]] static Vec add(Vec a, Vec b) { return _mm512_add_pd(a, b); }
  [[gnu::always_inline]] static Vec sub(Vec a, Vec b) { return _mm512_sub_pd(a, b); }
  [[gnu::always_inline]] static Vec mul(Vec a, Vec b) { return _mm512_mul_pd(a, b); }
  [[gnu::always_inline]] static Vec div(Vec a, Vec b) { return _mm512_div_pd(a, b); }
  [[gnu::always_inline]] static Vec min(Vec a, Vec b) { return _mm512_min_pd(a, b); }
  [[gnu::always_inline]] static Vec mulAdd(Vec a, Vec b, Vec c) { return _mm512_fmadd_pd(a, b, c); }
  [[gnu::always_inline]] static Vec mulSub(Vec a, Vec b, Vec c) { return _mm512_fmsub_pd(a, b, c); }
  [[gnu::always_inline]] static Vec negMulAdd(Vec a, Vec b, Vec c) {
    return _mm512_fnmadd_pd(a, b, c);
  }

  // Bitwise operations on doubles need AVX-512DQ; these go through integers instead.
  [[gnu::always_inline]] static Vec abs(Vec v) { return _mm512_abs_pd(v); }
  [[gnu::always_inline]] static Vec signBits(Vec v) {
    return _mm512_castsi512_pd(_mm512_and_si512(
        _mm512_set1_epi64(static_cast<long long>(0x8000000000000000ull)), _mm512_castpd_si512(v)));
  }
  [[gnu::always_inline]] static Vec flipSigns(Vec v, Vec signs) {
    return _mm512_castsi512_pd(
        _mm512_xor_si512(_mm512_castpd_si512(v), _mm512_castpd_si512(signs)));
  }

  [[gnu::always_inline]] static Mask less(Vec a, Vec b) {
    return _mm512_cmp_pd_mask(a, b, _CMP_LT_OQ);
  }
  [[gnu::always_inline]] static Mask greater(Vec a, Vec b) {
    return _mm512_cmp_pd_mask(a, b, _CMP_GT_OQ);
  }
  [[gnu::always_inline]] static Mask greaterEqual(Vec a, Vec b) {
    return _mm512_cmp_pd_mask(a, b, _CMP_GE_OQ);
  }
  [[gnu::always_inline]] static Mask lessEqual(Vec a, Vec b) {
    return _mm512_cmp_pd_mask(a, b, _CMP_LE_OQ);
  }
  [[gnu::always_inline]] static Mask either(Mask a, Mask b) { return static_cast<Mask>(a | b); }
  [[gnu::always_inline]] static bool any(Mask m) { return m != 0; }
  [[gnu::always_inline]] static Vec select(Mask m, Vec ifTrue, Vec ifFalse) {
    return _mm512_mask_blend_pd(m, ifFalse, ifTrue);
  }
  [[gnu::always_inline]] static Vec keep(Mask m, Vec ifTrue) {
    return _mm512_maskz_mov_pd(m, ifTrue);
  }

  [[gnu::always_inline]] static void storeFloats(float* p, Vec v) {
    _mm256_storeu_ps(p, toFloats(v));
  }
  [[gnu::always_inline]] static void addFloats(float* p, Vec v) {
    _mm256_storeu_ps(p, _mm256_add_ps(_mm256_loadu_ps(p), toFloats(v)));
  }

 private:
  // The zero-masked form of the conversion: the plain one starts from an undefined register,
  // which draws a false "uninitialized" warning from GCC 12.
  [[gnu::always_inline]] static __m256 toFloats(Vec v) {
    return _mm512_maskz_cvtpd_ps(static_cast<__mmask8>(0xFF), v);
  }
};

}  // namespace
}  // namespace voice
