// Engine values of the normalized parameters. A value that is not finite or lies below 0
// gives the low end of its range, one above 1 the high end.
#pragma once

#include <cmath>

#include "engine/VoiceConstants.h"

namespace voice {

inline double guardedUnit(double x) {
  if (!(x >= 0.0)) return 0.0;  // also NaN
  return x > 1.0 ? 1.0 : x;
}

inline double attackSeconds(double x) {
  return (kAttackSpanMs * guardedUnit(x) + kAttackMinMs) * kSecondsPerMs;
}

inline double releaseSeconds(double x) {
  return (kReleaseSpanMs * guardedUnit(x) + kReleaseMinMs) * kSecondsPerMs;
}

inline double glideSeconds(double x) {
  return kSecondsPerMs * (kGlideSpanMs * guardedUnit(x));
}

// Vibrato and tremolo share the 4 to 8 Hz range.
inline double modulationRateHz(double x) {
  return kModRateSpanHz * guardedUnit(x) + kModRateMinHz;
}

inline double vibratoDepthCents(double x) {
  return kVibratoSpanCents * guardedUnit(x);
}

// Whole octaves, rounded half away from zero.
inline double transposeSemitones(double x) {
  return kSemitonesPerOctave * std::round(kTransposeSteps * guardedUnit(x) - kTransposeLowest);
}

inline double fineTuneSemitones(double x) {
  return (kFineTuneSpanCents * guardedUnit(x) - kFineTuneLowestCents) / kCentsPerSemitone;
}

inline double outputGain(double x) {
  return std::pow(10.0, (kOutputSpanDb * guardedUnit(x) - kOutputSpanDb) / kDbPerAmplitudeDecade);
}

inline bool legatoOn(double x) {
  return x >= kLegatoThreshold;
}

}  // namespace voice
