// The parameter table and its value rules.
#include "params/ParamTable.h"

#include <cmath>

#include "params/ParamRanges.h"

namespace {

// One row: the engine's plain range and steps for the id, with the texts and the default.
constexpr ParamDesc row(ParamId id, const char* name, const char* unit, double defaultValue) {
  const ParamRange& r = kParamRanges[id];
  return {name, unit, r.minValue, r.maxValue, defaultValue, r.steps};
}

}  // namespace

const ParamDesc kParamTable[kNumParams] = {
    row(kSquare, "Square", "%", 0.55),
    row(kTriangle, "Triangle", "%", 0.3),
    row(kSine, "Sine", "%", 0.15),
    row(kAttack, "Attack", "ms", 0.00266845),
    row(kRelease, "Release", "ms", 0.055055),
    row(kGlide, "Glissando", "ms", 0.0),
    row(kVibratoRate, "Vibrato rate", "Hz", 0.5),
    row(kVibratoDepth, "Vibrato depth", "cent", 0.0),
    row(kTremoloRate, "Tremolo rate", "Hz", 0.25),
    row(kTremoloDepth, "Tremolo depth", "%", 0.0),
    row(kTranspose, "Transpose", "oct", 0.5),
    row(kFineTune, "Fine tune", "cent", 0.5),
    row(kOutput, "Output", "dB", 0.8),
    row(kVelocity, "Velocity", "%", 0.0),
    row(kLegato, "Legato", "", 1.0),
    row(kSineCharacter, "Sine character", "%", 0.35),
};

double roundHalfAway(double x) {
  return std::round(x);
}

double quantize(double v, int32_t steps) {
  v = conformUnit(v);
  if (steps != 0) v = roundHalfAway(v * steps) / steps;
  return v;
}

double plainValue(int32_t id, double v) {
  if (!isValidParam(id)) return 0.0;
  const double p = plainOfUnit(static_cast<ParamId>(id), conformUnit(v));
  return kParamTable[id].steps != 0 ? roundHalfAway(p) : p;
}
