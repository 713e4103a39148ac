// The fixed fourth-order Butterworth low-pass (corner 0.22 of the oversampled rate) that
// runs before decimation: two bilinear-transform sections, the same at every sample rate.
#pragma once

#include "engine/BiquadSection.h"

// Writes the constant coefficients and zeroes the states.
inline void loadDecimatorCoefficients(BiquadSection (&sections)[2]) {
  sections[0] = {0.213004523863556,
                 0.426009047727112,
                 0.213004523863556,
                 -0.1964664037914004,
                 0.048484499245624375,
                 0.0,
                 0.0};
  sections[1] = {0.29530333050192425,
                 0.5906066610038485,
                 0.29530333050192425,
                 -0.2723753576637668,
                 0.4535886796714638,
                 0.0,
                 0.0};
}
