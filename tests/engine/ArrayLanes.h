// A vector form made of plain arrays of N doubles, each operation a loop over the lanes with
// the baseline's single roundings: the engine's stages instantiated with it take a wide
// form's lane count, four-sine triangle and shorter chains, and render what the SSE2 form
// does to within the roundings. It runs the stages' eight-lane handling (whole vectors, spare
// room, partial last vectors) on any processor, valgrind included, where the AVX-512 form
// itself cannot run.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

#include "engine/Sse2Lanes.h"
#include "engine/TriangleWeights.h"

template <int N>
struct ArrayLanes {
  struct Vec {
    double v[N];
  };
  struct Mask {
    bool m[N];
  };
  using Pair = voice::Sse2Lanes;
  static constexpr int kLanes = N;
  static constexpr int kTriangleSines = 4;
  static constexpr bool kFewestInstructions = false;

  template <typename F>
  static Vec each(F f) {
    Vec r;
    for (int i = 0; i < N; ++i)
      r.v[i] = f(i);
    return r;
  }
  template <typename F>
  static Mask where(F f) {
    Mask r;
    for (int i = 0; i < N; ++i)
      r.m[i] = f(i);
    return r;
  }

  static Vec load(const double* p) {
    return each([&](int i) { return p[i]; });
  }
  // One stored copy in every lane, as the eight-lane form takes the triangle's coefficients.
  static Vec loadCoefficient(const double* p) {
    return each([&](int) { return *p; });
  }
  // Coefficient c of each frame's own row, as the wide forms take it.
  static Vec loadCoefficientPerFrame(const voice::TriangleRow* rows, int c) {
    return each([&](int i) { return rows[i / voice::kOversampling][c][0]; });
  }
  static void store(double* p, Vec a) {
    for (int i = 0; i < N; ++i)
      p[i] = a.v[i];
  }
  static void storeUnaligned(double* p, Vec a) { store(p, a); }
  static Vec set1(double x) {
    return each([&](int) { return x; });
  }
  static Vec ofLanes(const double (&v)[N]) { return load(v); }
  static Vec zero() { return set1(0.0); }

  static Vec add(Vec a, Vec b) {
    return each([&](int i) { return a.v[i] + b.v[i]; });
  }
  static Vec sub(Vec a, Vec b) {
    return each([&](int i) { return a.v[i] - b.v[i]; });
  }
  static Vec mul(Vec a, Vec b) {
    return each([&](int i) { return a.v[i] * b.v[i]; });
  }
  static Vec div(Vec a, Vec b) {
    return each([&](int i) { return a.v[i] / b.v[i]; });
  }
  static Vec min(Vec a, Vec b) {
    return each([&](int i) { return a.v[i] < b.v[i] ? a.v[i] : b.v[i]; });
  }
  static Vec mulAdd(Vec a, Vec b, Vec c) { return add(mul(a, b), c); }
  static Vec mulSub(Vec a, Vec b, Vec c) { return sub(mul(a, b), c); }
  static Vec negMulAdd(Vec a, Vec b, Vec c) { return sub(c, mul(a, b)); }

  static Vec abs(Vec a) {
    return each([&](int i) { return std::fabs(a.v[i]); });
  }
  static Vec signBits(Vec a) {
    return each([&](int i) { return std::signbit(a.v[i]) ? -0.0 : 0.0; });
  }
  static Vec flipSigns(Vec a, Vec signs) {
    return each([&](int i) {
      return std::bit_cast<double>(std::bit_cast<uint64_t>(a.v[i]) ^
                                   std::bit_cast<uint64_t>(signs.v[i]));
    });
  }

  static Mask less(Vec a, Vec b) {
    return where([&](int i) { return a.v[i] < b.v[i]; });
  }
  static Mask greater(Vec a, Vec b) {
    return where([&](int i) { return a.v[i] > b.v[i]; });
  }
  static Mask greaterEqual(Vec a, Vec b) {
    return where([&](int i) { return a.v[i] >= b.v[i]; });
  }
  static Mask lessEqual(Vec a, Vec b) {
    return where([&](int i) { return a.v[i] <= b.v[i]; });
  }
  static Mask either(Mask a, Mask b) {
    return where([&](int i) { return a.m[i] || b.m[i]; });
  }
  static bool any(Mask a) {
    for (bool m : a.m)
      if (m) return true;
    return false;
  }
  static Vec select(Mask m, Vec ifTrue, Vec ifFalse) {
    return each([&](int i) { return m.m[i] ? ifTrue.v[i] : ifFalse.v[i]; });
  }
  static Vec keep(Mask m, Vec ifTrue) {
    return each([&](int i) { return m.m[i] ? ifTrue.v[i] : 0.0; });
  }

  static void storeFloats(float* p, Vec a) {
    for (int i = 0; i < N; ++i)
      p[i] = static_cast<float>(a.v[i]);
  }
  static void addFloats(float* p, Vec a) {
    for (int i = 0; i < N; ++i)
      p[i] += static_cast<float>(a.v[i]);
  }
};
