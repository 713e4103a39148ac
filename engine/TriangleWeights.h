// The triangle's harmonic sum for the current harmonic limit, as one polynomial per sine of
// theta, 3 theta, .. (2C - 1) theta in the stride 2 cos(2C theta), for C = 2 or 4 sines; each
// coefficient stored in several lanes, so that a form loads a whole vector of one coefficient. The
// polynomials of every limit sit in a table made at compile time, so that a change of limit,
// frequent among close notes, only moves a pointer.
#pragma once

#include "engine/VoiceConstants.h"

namespace voice {

// sin(k theta) for odd k = 2(Cg + m) + 1 is sin((2m + 1) theta) V_g(s) +
// sin((2C - 1 - 2m) theta) V_(g-1)(s), with s = 2 cos(2C theta), V_-1 = 0, V_0 = 1 and
// V_(g+1) = s V_g - V_(g-1). Summed over the harmonics, each sine gets one polynomial in s
// of degree 32 / C - 1 whose coefficients stay small for |s| <= 2, so Horner's rule is exact
// to a few roundings (below 1e-15 with four sines, 1.4e-14 with two): one multiply-add per
// harmonic.
constexpr int kMaxTriangleSines = 4;

// Copies of each coefficient: a whole vector for the forms of up to four lanes, whose
// multiply-adds then take it straight from memory; the eight-lane form broadcasts one copy.
// Four rather than eight halves the cache lines a change of limit brings in.
constexpr int kCoefficientLanes = 4;

struct TriangleWeights {
  int sines;  // C, the layout of the coefficients
  // Row n: the polynomials of the first n odd harmonics, in the layout of `sines`.
  const double (*rows)[kTriangleTerms][kCoefficientLanes];
  // Coefficient j * (32 / C) + i multiplies s^i in the polynomial of sin((2j + 1) theta).
  const double (*coefficient)[kCoefficientLanes];
};

// The rows for `sines` (2 or 4) sines, for the weights +1/k^2 for k mod 4 = 1 and -1/k^2 for
// k mod 4 = 3.
void setTriangleLayout(TriangleWeights& w, int sines);

// One row's coefficients, in the layout of TriangleWeights::coefficient.
using TriangleRow = const double (*)[kCoefficientLanes];

// The row for harmonics up to `limit`, 0 above it, picked without a branch, as close notes of
// many pitches change the limit at random.
inline TriangleRow triangleRow(const TriangleWeights& w, int limit) {
  const int terms = (limit + 1) / 2;  // odd harmonics up to the limit
  return w.rows[terms < 0 ? 0 : (terms > kTriangleTerms ? kTriangleTerms : terms)];
}

// The coefficients for harmonics up to `limit` (K), 0 above it.
inline void setTriangleLimit(TriangleWeights& w, int limit) {
  w.coefficient = triangleRow(w, limit);
}

}  // namespace voice
