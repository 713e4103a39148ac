// The triangle's harmonic sum for the current harmonic limit, as one polynomial per sine of
// theta, 3 theta, 5 theta and 7 theta in the stride 2 cos(8 theta); each coefficient stored once
// per lane of the widest vector form, so that any form loads a whole vector of one coefficient.
#pragma once

#include "engine/VoiceConstants.h"

namespace voice {

// sin(k theta) for odd k = 2(4g + m) + 1 is sin((2m + 1) theta) V_g(s) +
// sin((7 - 2m) theta) V_(g-1)(s), with s = 2 cos(8 theta), V_-1 = 0, V_0 = 1 and
// V_(g+1) = s V_g - V_(g-1). Summed over the harmonics, each of the four sines gets one
// polynomial in s of degree 7, small in its coefficients for |s| <= 2, so Horner's rule is
// exact to a few roundings: one multiply-add per harmonic.
constexpr int kTriangleSines = 4;
constexpr int kTriangleCoefficients = kTriangleTerms / kTriangleSines;

struct TriangleWeights {
  int harmonicLimit;  // K: harmonics above it weigh 0
  // coefficient[j][i] multiplies s^i in the polynomial of sin((2j + 1) theta)
  alignas(64) double coefficient[kTriangleSines][kTriangleCoefficients][kMaxLanes];
};

// Sets the polynomials for the weights +1/k^2 for k mod 4 = 1, -1/k^2 for k mod 4 = 3 up to
// harmonic `limit`, 0 above it.
void setTriangleLimit(TriangleWeights& w, int limit);

}  // namespace voice
