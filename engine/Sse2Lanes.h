// Two doubles per vector in SSE2 registers: the x86-64 baseline form of the engine's vector
// operations. The wider forms (engine/Avx2Lanes.h, engine/Avx512Lanes.h) offer the same
// operations, so that one source of each stage compiles for every form.
#pragma once

#include <emmintrin.h>

#include <cstdint>

namespace voice {

struct Sse2Lanes {
  using Vec = __m128d;
  using Mask = __m128d;    // all ones in a lane where a comparison holds
  using Pair = Sse2Lanes;  // the two-lane form the decimator runs in
  static constexpr int kLanes = 2;
  // Two-operand instructions make every kept operand cost a copy, and two lanes make each
  // instruction count: prefer the schemes with the fewest instructions and the fewest live
  // registers over those with the shortest chains.
  static constexpr bool kFewestInstructions = true;
  static constexpr int kTriangleSines = 2;

  // Loads and stores of doubles expect 16-byte alignment, so that they can fold into the
  // arithmetic; every stage array and every even step is aligned so.
  [[gnu::always_inline]] static Vec load(const double* p) { return _mm_load_pd(p); }
  // A coefficient's first two stored lanes (TriangleWeights.h).
  [[gnu::always_inline]] static Vec loadCoefficient(const double* p) { return load(p); }
  // (lo, hi) from two numbers, and *p in both lanes.
  [[gnu::always_inline]] static Vec pair(double lo, double hi) { return _mm_set_pd(hi, lo); }
  [[gnu::always_inline]] static Vec broadcast(const double* p) { return _mm_load1_pd(p); }
  [[gnu::always_inline]] static double low(Vec v) { return _mm_cvtsd_f64(v); }
  [[gnu::always_inline]] static double high(Vec v) { return _mm_cvtsd_f64(_mm_unpackhi_pd(v, v)); }
  [[gnu::always_inline]] static void store(double* p, Vec v) { _mm_store_pd(p, v); }
  [[gnu::always_inline]] static void storeUnaligned(double* p, Vec v) { _mm_storeu_pd(p, v); }
  [[gnu::always_inline]] static Vec set1(double x) { return _mm_set1_pd(x); }
  // v[0] in the lowest lane.
  [[gnu::always_inline]] static Vec ofLanes(const double (&v)[kLanes]) {
    return _mm_set_pd(v[1], v[0]);
  }
  [[gnu::always_inline]] static Vec zero() { return _mm_setzero_pd(); }

  [[gnu::always_inline]] static Vec add(Vec a, Vec b) { return _mm_add_pd(a, b); }
  [[gnu::always_inline]] static Vec sub(Vec a, Vec b) { return _mm_sub_pd(a, b); }
  [[gnu::always_inline]] static Vec mul(Vec a, Vec b) { return _mm_mul_pd(a, b); }
  [[gnu::always_inline]] static Vec div(Vec a, Vec b) { return _mm_div_pd(a, b); }
  [[gnu::always_inline]] static Vec min(Vec a, Vec b) { return _mm_min_pd(a, b); }
  // a * b + c, a * b - c and c - a * b, each with two roundings here.
  [[gnu::always_inline]] static Vec mulAdd(Vec a, Vec b, Vec c) { return add(mul(a, b), c); }
  [[gnu::always_inline]] static Vec mulSub(Vec a, Vec b, Vec c) { return sub(mul(a, b), c); }
  [[gnu::always_inline]] static Vec negMulAdd(Vec a, Vec b, Vec c) { return sub(c, mul(a, b)); }

  [[gnu::always_inline]] static Vec abs(Vec v) { return _mm_andnot_pd(_mm_set1_pd(-0.0), v); }
  // The sign bits of v (all else 0), and v with the signs flipped where `signs` has them.
  [[gnu::always_inline]] static Vec signBits(Vec v) { return _mm_and_pd(_mm_set1_pd(-0.0), v); }
  [[gnu::always_inline]] static Vec flipSigns(Vec v, Vec signs) { return _mm_xor_pd(v, signs); }

  [[gnu::always_inline]] static Mask less(Vec a, Vec b) { return _mm_cmplt_pd(a, b); }
  [[gnu::always_inline]] static Mask greater(Vec a, Vec b) { return _mm_cmpgt_pd(a, b); }
  [[gnu::always_inline]] static Mask greaterEqual(Vec a, Vec b) { return _mm_cmpge_pd(a, b); }
  [[gnu::always_inline]] static Mask lessEqual(Vec a, Vec b) { return _mm_cmple_pd(a, b); }
  [[gnu::always_inline]] static Mask either(Mask a, Mask b) { return _mm_or_pd(a, b); }
  [[gnu::always_inline]] static bool any(Mask m) { return _mm_movemask_pd(m) != 0; }
  [[gnu::always_inline]] static Vec select(Mask m, Vec ifTrue, Vec ifFalse) {
    return _mm_or_pd(_mm_and_pd(m, ifTrue), _mm_andnot_pd(m, ifFalse));
  }
  // ifTrue where the mask holds, else 0.
  [[gnu::always_inline]] static Vec keep(Mask m, Vec ifTrue) { return _mm_and_pd(m, ifTrue); }

  // Single-precision output, p unaligned: p[i] = float(v[i]), or p[i] += float(v[i]).
  [[gnu::always_inline]] static void storeFloats(float* p, Vec v) {
    storeFloatPair(p, _mm_cvtpd_ps(v));
  }
  [[gnu::always_inline]] static void addFloats(float* p, Vec v) {
    const __m128 held = _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)));
    storeFloatPair(p, _mm_add_ps(held, _mm_cvtpd_ps(v)));
  }

 private:
  [[gnu::always_inline]] static void storeFloatPair(float* p, __m128 f) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_castps_si128(f));
  }
};

}  // namespace voice
