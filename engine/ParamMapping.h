// Engine values of the normalized parameters, through the plain ranges the parameter table
// shows. Every value is conformed first by the parameters' one rule: not finite or below 0
// gives the low end of its range, above 1 the high end.
#pragma once

#include <cmath>

#include "engine/VoiceConstants.h"
#include "params/Legato.h"
#include "params/ParamRanges.h"

namespace voice {

inline double guardedUnit(double x) {
  return conformUnit(x);
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
  return legatoIsOn(x);
}

}  // namespace voice
