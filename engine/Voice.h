// The single voice: one output frame per call. Inline, so that the block loop and the voice
// compile as one piece.
#pragma once

#include <algorithm>
#include <cmath>

#include "engine/CycleTrig.h"
#include "engine/Oscillators.h"
#include "engine/ToneEngine.h"
#include "engine/VoiceSettings.h"

namespace voice {

// frac(x) = x - floor(x) for a phase in [0, 1) advanced by an increment in [0, 1): the sum
// lies in [0, 2), where subtracting 1 is exact. All three phases keep to this: the
// modulation rates are at most 8 Hz at 8000 Hz or more, and the oscillator's increment is
// at most 0.22 cycles, as the modulated frequency stops at 0.44 of the rate.
inline double advancePhase(double phase, double increment) {
  const double sum = phase + increment;
  return sum >= 1.0 ? sum - 1.0 : sum;
}

inline double runSection(BiquadSection& s, double x) {
  const double y = s.b0 * x + s.z1;
  s.z1 = s.b1 * x - s.a1 * y + s.z2;
  s.z2 = s.b2 * x - s.a2 * y;
  return y;
}

inline double decimate(BiquadSection (&sections)[2], double x) {
  return runSection(sections[1], runSection(sections[0], x));
}

inline double targetFrequency(ToneEngine& e, const VoiceSettings& s) {
  const double note = e.currentSlot >= 0
                          ? static_cast<double>(e.currentSlot % kNotesPerChannel - kReferenceNote)
                          : 0.0;
  const double semitones = note + s.transposeSemitones + s.fineTuneSemitones +
                           (e.pitchBend - kBendCentre) * kBendRangeSemitones;
  const double pitch = memoized(e.cache.targetPitch, semitones, [](double st) {
    return kReferenceHz * std::pow(2.0, st / kSemitonesPerOctave);
  });
  return std::min(std::max(pitch, kMinTargetHz), s.targetCeiling);
}

inline void advanceEnvelope(ToneEngine& e, const VoiceSettings& s) {
  if (e.retriggerCountdown > 0.0) {
    // Linear fade to exactly 0 over ceil(countdown) frames; the gate waits.
    const double left = e.retriggerCountdown - 1.0;
    e.envLevel = e.envLevel * std::max(left / e.retriggerCountdown, 0.0);
    e.retriggerCountdown = left;
    return;
  }
  const double level = e.envLevel + (e.gate ? s.attackStep : -s.releaseStep);
  e.envLevel = std::min(std::max(level, 0.0), 1.0);
}

inline double sineOfCycles(double phase) {
  return lane0(sinCycles(_mm_set1_pd(phase)));
}

inline double vibratoExponent(double cents, double sine) {
  return cents * sine / kCentsPerOctave;
}

// Vibrato ratio and tremolo gain of this frame; advances both phases. The vibrato's sine and
// 2^x for the next frame are worked out now, while this frame's oscillators run, and kept
// keyed on their exact inputs; the next frame takes them over when its inputs match.
[[gnu::always_inline]] inline void modulate(ToneEngine& e, const VoiceSettings& s, double* ratio,
                                            double* tremolo) {
  VoiceCache& cache = e.cache;
  const double cents = std::min(s.vibratoCents + kModWheelCents * e.modWheel, kMaxVibratoCents);
  const double vibratoPhase = e.vibratoPhase;
  e.vibratoPhase = advancePhase(e.vibratoPhase, s.vibratoIncrement);
  e.tremoloPhase = advancePhase(e.tremoloPhase, s.tremoloIncrement);
  *ratio = 1.0;
  *tremolo = 1.0;
  if (cents == 0.0 && s.tremoloDepth == 0.0) return;  // both factors are exactly 1

  const double vibratoSine = memoized(cache.vibratoSine, vibratoPhase, sineOfCycles);
  const __m128d sines = sinCycles(_mm_set_pd(e.tremoloPhase, e.vibratoPhase));
  cache.vibratoSine = {e.vibratoPhase, lane0(sines)};
  if (cents != 0.0) {
    *ratio = memoized(cache.vibratoRatio, vibratoExponent(cents, vibratoSine), exp2Small);
    const double next = vibratoExponent(cents, lane0(sines));
    cache.vibratoRatio = {next, exp2Small(next)};
  }
  if (s.tremoloDepth != 0.0) *tremolo = 1.0 - s.tremoloDepth * (0.5 + 0.5 * lane1(sines));
}

inline int triangleLimit(double increment) {
  const double limit = kTriangleHarmonicLimit / increment;
  if (!(limit >= 0.0)) return 0;
  return limit >= kMaxTriangleHarmonic ? kMaxTriangleHarmonic : static_cast<int>(limit);
}

}  // namespace voice

// Advances the voice by one output frame and returns its sample; never non-finite.
[[gnu::always_inline]] inline double renderSample(ToneEngine& e) {
  using namespace voice;
  VoiceCache& cache = e.cache;
  if (!cache.settled) {
    const bool moved = smoothParameters(e);
    deriveSettings(e);
    cache.settled = !moved;
  }
  const VoiceSettings& s = cache.settings;

  const double target = targetFrequency(e, s);
  e.currentFreq = s.glides ? e.currentFreq + (target - e.currentFreq) * s.glideCoefficient : target;
  advanceEnvelope(e, s);
  double ratio, tremolo;
  modulate(e, s, &ratio, &tremolo);
  const double modulated = std::min(e.currentFreq * ratio, s.modulatedCeiling);
  const double increment = modulated / (kOversampling * e.sampleRate);

  const int limit = triangleLimit(increment);
  if (limit != cache.triangle.harmonicLimit) setTriangleLimit(cache.triangle, limit);
  const double firstPhase = e.oscPhase;
  const double secondPhase = advancePhase(firstPhase, increment);
  e.oscPhase = advancePhase(secondPhase, increment);
  const __m128d mixed =
      mixedOscillators(_mm_set_pd(secondPhase, firstPhase), increment, cache.triangle, s.mix);
  decimate(e.decimator, lane0(mixed));  // the first step only feeds the filter states
  const double y = decimate(e.decimator, lane1(mixed));

  const double velocity = 1.0 - (1.0 - e.noteVelocity) * s.velocitySensitivity;
  const double out = y * e.envLevel * tremolo * velocity * s.gain;
  return std::isfinite(out) ? out : 0.0;
}
