// The plain range of every parameter, stated once: the parameter table shows values in these
// units, and the voice maps normalized values to engine values through the same numbers. Beside
// them the one rule that brings any number into the unit interval.
#pragma once

#include <cstdint>
#include <limits>

#include "params/ParamIds.h"

struct ParamRange {
  double minValue;  // plain value at normalized 0
  double maxValue;  // plain value at normalized 1
  int32_t steps;    // 0 = continuous
};

inline constexpr ParamRange kParamRanges[kNumParams] = {
    {0.0, 100.0, 0},     // Square, %
    {0.0, 100.0, 0},     // Triangle, %
    {0.0, 100.0, 0},     // Sine, %
    {2.0, 3000.0, 0},    // Attack, ms
    {5.0, 5000.0, 0},    // Release, ms
    {0.0, 2000.0, 0},    // Glissando, ms
    {4.0, 8.0, 0},       // Vibrato rate, Hz
    {0.0, 100.0, 0},     // Vibrato depth, cent
    {4.0, 8.0, 0},       // Tremolo rate, Hz
    {0.0, 100.0, 0},     // Tremolo depth, %
    {-3.0, 3.0, 6},      // Transpose, oct
    {-100.0, 100.0, 0},  // Fine tune, cent
    {-60.0, 0.0, 0},     // Output, dB
    {0.0, 100.0, 0},     // Velocity, %
    {0.0, 1.0, 1},       // Legato
    {0.0, 100.0, 0},     // Sine character, %
};

// The unit value every store and every reader goes by: a value that is not finite or lies below
// 0 gives the low end, one above 1 the high end.
constexpr double conformUnit(double x) {
  if (!(x >= 0.0) || x == std::numeric_limits<double>::infinity()) return 0.0;  // also NaN
  return x > 1.0 ? 1.0 : x;
}

// min + (max - min) * x, with x already conformed to [0, 1].
constexpr double plainOfUnit(ParamId id, double x) {
  return (kParamRanges[id].maxValue - kParamRanges[id].minValue) * x + kParamRanges[id].minValue;
}

// A plain value as typed into a host, back to the unit scale: (value - min) / (max - min),
// not yet conformed.
constexpr double unitOfPlain(ParamId id, double plain) {
  return (plain - kParamRanges[id].minValue) /
         (kParamRanges[id].maxValue - kParamRanges[id].minValue);
}
