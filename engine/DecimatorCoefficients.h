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

}  // namespace voice

// Writes the parallel sections and zeroes their states.
inline void loadDecimatorCoefficients(BiquadSection (&sections)[2]) {
  sections[0] = voice::kDecimatorParallel[0];
  sections[1] = voice::kDecimatorParallel[1];
}
