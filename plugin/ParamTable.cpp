// The parameter table and its value rules.
#include "plugin/ParamTable.h"

#include <cmath>

const ParamDesc kParamTable[kNumParams] = {
    {"Square", "%", 0.0, 100.0, 0.55, 0},
    {"Triangle", "%", 0.0, 100.0, 0.3, 0},
    {"Sine", "%", 0.0, 100.0, 0.15, 0},
    {"Attack", "ms", 2.0, 3000.0, 0.00266845, 0},
    {"Release", "ms", 5.0, 5000.0, 0.055055, 0},
    {"Glissando", "ms", 0.0, 2000.0, 0.0, 0},
    {"Vibrato rate", "Hz", 4.0, 8.0, 0.5, 0},
    {"Vibrato depth", "cent", 0.0, 100.0, 0.0, 0},
    {"Tremolo rate", "Hz", 4.0, 8.0, 0.25, 0},
    {"Tremolo depth", "%", 0.0, 100.0, 0.0, 0},
    {"Transpose", "oct", -3.0, 3.0, 0.5, 6},
    {"Fine tune", "cent", -100.0, 100.0, 0.5, 0},
    {"Output", "dB", -60.0, 0.0, 0.8, 0},
    {"Velocity", "%", 0.0, 100.0, 0.0, 0},
    {"Legato", "", 0.0, 1.0, 1.0, 1},
    {"Sine character", "%", 0.0, 100.0, 0.35, 0},
};

double roundHalfAway(double x) {
  return std::round(x);
}

static double clampUnit(double v) {
  if (!std::isfinite(v)) return 0.0;
  if (v < 0.0) return 0.0;
  if (v > 1.0) return 1.0;
  return v;
}

double quantize(double v, int32_t steps) {
  v = clampUnit(v);
  if (steps != 0) v = roundHalfAway(v * steps) / steps;
  return v;
}

double plainValue(int32_t id, double v) {
  if (!isValidParam(id)) return 0.0;
  const ParamDesc& d = kParamTable[id];
  double p = d.minValue + (d.maxValue - d.minValue) * clampUnit(v);
  if (d.steps != 0) p = roundHalfAway(p);
  return p;
}
