// The fixed fourth-order Butterworth low-pass (corner 0.22 of the oversampled rate) that
// runs before decimation, the same at every sample rate: designed as two bilinear-transform
// sections in series, and run as their partial fractions, two sections side by side that
// take the same input and whose outputs add up.
#pragma once

#include <array>

#include "engine/BiquadSection.h"

// The design: the sections in series, states 0.
inline constexpr BiquadSection kDecimatorSeries[2] = {
    {0.213004523863556, 0.426009047727112, 0.213004523863556, -0.1964664037914004,
     0.048484499245624375, 0.0, 0.0},
    {0.29530333050192425, 0.5906066610038485, 0.29530333050192425, -0.2723753576637668,
     0.4535886796714638, 0.0, 0.0}};

namespace voice {

// The series product B0 B1 / (A0 A1), in the delay q, as d + (r0 + t0 q) / A0 + (r1 + t1 q) / A1,
// the constant d taken into the first section: two sections with the series sections' poles
// and the same response.
constexpr std::array<BiquadSection, 2> splitIntoParallel(const BiquadSection (&series)[2]) {
  const BiquadSection& s0 = series[0];
  const BiquadSection& s1 = series[1];
  // Numerator N and denominator D of the product, coefficient i of q^i.
  const double n[5] = {s0.b0 * s1.b0, s0.b0 * s1.b1 + s0.b1 * s1.b0,
                       s0.b0 * s1.b2 + s0.b1 * s1.b1 + s0.b2 * s1.b0, s0.b1 * s1.b2 + s0.b2 * s1.b1,
                       s0.b2 * s1.b2};
  const double den[5] = {1.0, s0.a1 + s1.a1, s0.a2 + s0.a1 * s1.a1 + s1.a2,
                         s0.a1 * s1.a2 + s0.a2 * s1.a1, s0.a2 * s1.a2};
  const double d = n[4] / den[4];
  // (r0 + t0 q) A1 + (r1 + t1 q) A0 = N - d D, which has no q^4 term: four equations in
  // (r0, t0, r1, t1), solved by elimination with partial pivoting.
  double m[4][5] = {{1.0, 0.0, 1.0, 0.0, n[0] - d * den[0]},
                    {s1.a1, 1.0, s0.a1, 1.0, n[1] - d * den[1]},
                    {s1.a2, s1.a1, s0.a2, s0.a1, n[2] - d * den[2]},
                    {0.0, s1.a2, 0.0, s0.a2, n[3] - d * den[3]}};
  auto magnitude = [](double x) { return x < 0.0 ? -x : x; };
  for (int c = 0; c < 4; ++c) {
    int pivot = c;
    for (int r = c + 1; r < 4; ++r)
      if (magnitude(m[r][c]) > magnitude(m[pivot][c])) pivot = r;
    for (int k = 0; k < 5; ++k) {
      const double t = m[c][k];
      m[c][k] = m[pivot][k];
      m[pivot][k] = t;
    }
    for (int r = 0; r < 4; ++r) {
      if (r == c) continue;
      const double f = m[r][c] / m[c][c];
      for (int k = c; k < 5; ++k)
        m[r][k] -= f * m[c][k];
    }
  }
  const double r0 = m[0][4] / m[0][0], t0 = m[1][4] / m[1][1];
  const double r1 = m[2][4] / m[2][2], t1 = m[3][4] / m[3][3];
  return {BiquadSection{r0 + d, t0 + d * s0.a1, d * s0.a2, s0.a1, s0.a2, 0.0, 0.0},
          BiquadSection{r1, t1, 0.0, s1.a1, s1.a2, 0.0, 0.0}};
}

inline constexpr std::array<BiquadSection, 2> kDecimatorParallel =
    splitIntoParallel(kDecimatorSeries);

// What one parallel section computes over a frame, from its coefficients. A step in transposed
// direct form II with y put into the state updates: y = b0 x + z1, z1' = c1 x - a1 z1 + z2,
// z2' = c2 x - a2 z1 (c1 = b1 - a1 b0, c2 = b2 - a2 b0). Over a frame's two steps x0 and x1,
// the states go to M z + (p1 x0 + c1 x1, q1 x0 + c2 x1), and the second step's output is
// b0 x1 + c1 x0 + z2 - a1 z1. Over two frames the states go to M^2 z + M u + u', where u and
// u' are the frames' input terms, and the second frame's output is
// b0 x3 + c1 x2 + k1 z1 + k2 z2 + u2 - a1 u1.
struct FrameCoefficients {
  double b0, c1, c2, a1, a2;
  double p1, q1;              // the first step's input into the frame's states
  double m11, m12, m21, m22;  // M
  double n11, n12, n21, n22;  // M^2
  double k1, k2;              // the middle states' part in the second frame's output
};

constexpr FrameCoefficients frameCoefficientsOf(const BiquadSection& s) {
  FrameCoefficients f{};
  f.b0 = s.b0;
  f.c1 = s.b1 - s.a1 * s.b0;
  f.c2 = s.b2 - s.a2 * s.b0;
  f.a1 = s.a1;
  f.a2 = s.a2;
  f.p1 = f.c2 - s.a1 * f.c1;
  f.q1 = -s.a2 * f.c1;
  f.m11 = s.a1 * s.a1 - s.a2;
  f.m12 = -s.a1;
  f.m21 = s.a1 * s.a2;
  f.m22 = -s.a2;
  f.n11 = f.m11 * f.m11 + f.m12 * f.m21;
  f.n12 = f.m11 * f.m12 + f.m12 * f.m22;
  f.n21 = f.m21 * f.m11 + f.m22 * f.m21;
  f.n22 = f.m21 * f.m12 + f.m22 * f.m22;
  f.k1 = f.m21 - s.a1 * f.m11;
  f.k2 = f.m22 - s.a1 * f.m12;
  return f;
}

inline constexpr FrameCoefficients kDecimatorFrames[2] = {
    frameCoefficientsOf(kDecimatorParallel[0]), frameCoefficientsOf(kDecimatorParallel[1])};

}  // namespace voice
