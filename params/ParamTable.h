// The sixteen parameters: their constant table, the rule every stored value obeys, and the
// mapping from normalized to plain values. The ids and the plain ranges have their own headers.
#pragma once

#include <cstdint>

#include "params/ParamIds.h"  // ParamId, its names and kNumParams

struct ParamDesc {
  const char* name;
  const char* unit;
  double minValue;
  double maxValue;
  double defaultValue;  // normalized
  int32_t steps;        // 0 = continuous
};

extern const ParamDesc kParamTable[kNumParams];

// True for indices 0..15; negative indices fail too, as the comparison is unsigned.
inline bool isValidParam(int32_t index) {
  return static_cast<uint32_t>(index) < static_cast<uint32_t>(kNumParams);
}

// Rounds halves away from zero, as the step grid and plain display require.
double roundHalfAway(double x);

// conformUnit, then a snap to the step grid when stepped.
double quantize(double v, int32_t steps);

// Plain value in the parameter's own units, rounded on stepped parameters.
double plainValue(int32_t id, double v);
