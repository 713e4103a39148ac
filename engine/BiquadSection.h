// One second-order filter section in transposed direct form II.
#pragma once

struct BiquadSection {
  double b0, b1, b2;  // feed-forward coefficients
  double a1, a2;      // feedback coefficients, a0 normalized to 1
  double z1, z2;      // state
};
