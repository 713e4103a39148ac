// The voice's fixed numbers in one place: smoothing, pitch, envelope, modulation and
// oscillator constants. The parameters' plain ranges are in params/ParamRanges.h.
#pragma once

namespace voice {

// Parameter smoothing: one-pole low-pass per output frame.
constexpr double kSmoothingSeconds = 0.008;

// Pitch.
constexpr double kReferenceHz = 440.0;
constexpr int kReferenceNote = 69;
constexpr int kNotesPerChannel = 128;
constexpr double kSemitonesPerOctave = 12.0;
constexpr double kBendCentre = 0.5;
constexpr double kBendRangeSemitones = 4.0;  // full bend span, so +-2 semitones
constexpr double kMinTargetHz = 16.0;
constexpr double kMaxTargetHz = 16000.0;
constexpr double kMaxTargetPerRate = 0.4;      // target ceiling as a share of the rate
constexpr double kMaxModulatedPerRate = 0.44;  // vibrato ceiling as a share of the rate
constexpr double kMinGlideSeconds = 0.0005;    // shorter glides jump to the target

// Envelope.
constexpr double kRetriggerFadeSeconds = 0.002;

// Vibrato.
constexpr double kModWheelCents = 50.0;
constexpr double kMaxVibratoCents = 150.0;
constexpr double kCentsPerOctave = 1200.0;

// Oscillators, run at twice the output rate.
constexpr int kOversampling = 2;
constexpr double kSquareSplitPhase = 0.5;
constexpr double kTriangleScale = 0.8105694691387022;  // 8 / pi^2
constexpr double kTriangleHarmonicLimit = 0.48;        // in cycles per oversampled step
constexpr int kMaxTriangleHarmonic = 63;
constexpr int kTriangleTerms = (kMaxTriangleHarmonic + 1) / 2;  // odd harmonics 1, 3, .. 63
constexpr double kThirdHarmonicShare = 0.035;
constexpr double kFifthHarmonicShare = 0.01;
constexpr double kCharacterNormalisation = 0.045;

// The widest vector form holds eight doubles.
constexpr int kMaxLanes = 8;

// Units of the parameter ranges.
constexpr double kSecondsPerMs = 0.001;
constexpr double kCentsPerSemitone = 100.0;
constexpr double kDbPerAmplitudeDecade = 20.0;

}  // namespace voice
