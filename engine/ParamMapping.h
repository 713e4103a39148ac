// Engine values of the normalized parameters, through the plain ranges the parameter table
// shows. A value that is not finite or lies below 0 gives the low end of its range, one above
// 1 the high end.
#pragma once

#include <cmath>

#include "engine/ParamRanges.h"
#include "engine/VoiceConstants.h"

namespace voice {

inline double guardedUnit(double x) {
  if (!(x >= 0.0)) return 0.0;  // also NaN
  return x > 1.0 ? 1.0 : x;
}

inline double plainOf(ParamId id, double x) {
  return plainOfUnit(id, guardedUnit(x));
}

inline double attackSeconds(double x) {
  return plainOf(kAttack, x) * kSecondsPerMs;
}

inline double releaseSeconds(double x) {
  return plainOf(kRelease, x) * kSecondsPerMs;
}

inline double glideSeconds(double x) {
  return plainOf(kGlide, x) * kSecondsPerMs;
}

inline double vibratoRateHz(double x) {
  return plainOf(kVibratoRate, x);
}

inline double tremoloRateHz(double x) {
  return plainOf(kTremoloRate, x);
}

inline double vibratoDepthCents(double x) {
  return plainOf(kVibratoDepth, x);
}

// Whole octaves, rounded half away from zero.
inline double transposeSemitones(double x) {
  return kSemitonesPerOctave * std::round(plainOf(kTranspose, x));
}

inline double fineTuneSemitones(double x) {
  return plainOf(kFineTune, x) / kCentsPerSemitone;
}

inline double outputGain(double x) {
  return std::pow(10.0, plainOf(kOutput, x) / kDbPerAmplitudeDecade);
}

inline bool legatoOn(double x) {
  return x >= kLegatoThreshold;
}

}  // namespace voice
