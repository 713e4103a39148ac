// What the voice keeps between frames only to avoid repeating work: settings derived from the
// parameters (recomputed while smoothing moves them, reused once it has settled) and
// transcendental results memoized on their exact inputs, so that every reused value is
// bit-identical to a fresh computation.
#pragma once

#include <cstdint>

#include "engine/StageBuffers.h"
#include "params/ParamIds.h"

namespace voice {

struct Memo {
  double key;  // NaN until the first use, so that it never matches
  double value;
};

template <typename Compute>
inline double memoized(Memo& memo, double key, Compute compute) {
  if (key != memo.key) {
    memo.key = key;
    memo.value = compute(key);
  }
  return memo.value;
}

// Increments from `lowest` to `highest` all give the triangle's harmonic limit `limit`: the
// limit, the division 0.48 / increment cut to a whole number, never grows with the
// increment, so whatever lies between two increments of one limit has that limit too. Empty
// (NaN bounds) until first used.
struct LimitRange {
  double lowest;
  double highest;
  int limit;
};

// One key's pitch for the present semitones (transpose, fine tune and bend included), and
// what a steady pitch of it needs: the oscillator's increment per step and the triangle's
// harmonic limit. Valid for the sample rate they were worked out at.
struct KeyPitch {
  double semitones;  // the key; NaN until the first use
  double target;     // Hz, within the target range
  double increment;  // NaN until a steady run asks for it
  int limit;
};

// Engine values of the parameters for the current frame.
struct VoiceSettings {
  double transposeSemitones;
  double fineTuneSemitones;
  bool glides;              // glide time at least 0.5 ms
  double glideCoefficient;  // 1 - exp(-1 / (T * rate))
  double attackStep;        // envelope rise per frame
  double releaseStep;       // envelope fall per frame
  double vibratoIncrement;  // cycles per frame
  double vibratoCents;
  double tremoloIncrement;  // cycles per frame
  double tremoloDepth;
  double gain;
  double velocitySensitivity;
  double targetCeiling;     // Hz
  double modulatedCeiling;  // Hz
  double mix[kMixTerms];
};

// A set of parameters, one bit per ParamId.
using ParamSet = uint32_t;
constexpr ParamSet kEveryParam = (ParamSet{1} << kNumParams) - 1;

struct VoiceCache {
  double smoothingStep;  // 1 - exp(-1 / (8 ms * rate))
  bool settled;          // smoothing has stopped moving and settings match the parameters
  ParamSet moving;       // smoothed values that may still move; the others have arrived
  ParamSet stale;        // parameters whose settings are to be derived again
  VoiceSettings settings;
  uint32_t settingsVersion;  // counts derivations: settings held since then are still current
  // One per key, so that runs between notes of different keys (every frame of a block dense
  // with events) find their pitch again without exp2, the division or the limit's search.
  KeyPitch keyPitch[kNotesPerChannel];
  Memo glideDecay;           // exponent -> exp
  Memo gain;                 // normalized Output -> gain
  Memo legato;               // normalized Legato -> 1 when on, else 0
  LimitRange triangleLimit;  // oscillator increments known to give one harmonic limit
};

}  // namespace voice
