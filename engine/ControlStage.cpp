// The control stage: everything a frame computes once, before the oscillators.
#include "engine/ControlStage.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/EnginePaths.h"
#include "engine/NoteFrame.h"
#include "engine/PhaseSteps.h"
#include "engine/Sse2Lanes.h"
#include "engine/ToneEngine.h"
#include "engine/VoiceSettings.h"

namespace {

using namespace voice;

// A frame's two oversampled steps from `phase`, each step's phase recorded in steps[0] and
// steps[1]; returns the next frame's phase.
[[gnu::always_inline]] inline double frameSteps(double* steps, double phase, double increment) {
  steps[0] = phase;
  phase = advancePhase(phase, increment);
  steps[1] = phase;
  return advancePhase(phase, increment);
}

// Runs shorter than this take the wrap test on every step: cheaper than the division that
// would spare it. Runs this short come between close events.
constexpr int kShortRun = 8;

// Steps from `phase` on that surely stay below 1, advancing by `increment`, however the
// additions round: in them the wrap of advancePhase cannot happen and needs no test.
inline int stepsBelowWrap(double phase, double increment) {
  constexpr double kRoundingRoom = 1e-9;
  const double steps = (1.0 - kRoundingRoom - phase) / increment;
  return steps > 0.0 ? (steps < kMaxRunSteps ? static_cast<int>(steps) : kMaxRunSteps) : 0;
}

// a[0 .. n) = value, two at a time; the arrays have room past any run, so the first pair is
// stored whatever n is (runs of a frame or two between close events need no loop). `a` may
// start at any frame, so the stores take no alignment for granted.
void fillRun(double* a, int n, double value) {
  const __m128d v = _mm_set1_pd(value);
  _mm_storeu_pd(a, v);
#pragma GCC unroll 4
  for (int i = 2; i < n; i += 2)
    _mm_storeu_pd(a + i, v);
}

constexpr double kNoIncrement = std::numeric_limits<double>::quiet_NaN();

// The pitch record of the key of `slot` (-1 before any note), brought up to date for the
// present semitones.
[[gnu::always_inline]] inline KeyPitch& keyPitch(ToneEngine& e, const VoiceSettings& s, int slot) {
  const int key = slot >= 0 ? slot % kNotesPerChannel : kReferenceNote;
  const double note = static_cast<double>(key - kReferenceNote);
  const double semitones = note + s.transposeSemitones + s.fineTuneSemitones +
                           (e.pitchBend - kBendCentre) * kBendRangeSemitones;
  KeyPitch& pitch = e.cache.keyPitch[key];
  if (pitch.semitones != semitones) {
    const double hz = kReferenceHz * std::exp2(semitones / kSemitonesPerOctave);
    pitch.semitones = semitones;
    pitch.target = std::min(std::max(hz, kMinTargetHz), s.targetCeiling);
    pitch.increment = kNoIncrement;
  }
  return pitch;
}

[[gnu::always_inline]] inline KeyPitch& keyPitch(ToneEngine& e, const VoiceSettings& s) {
  return keyPitch(e, s, e.currentSlot);
}

double targetFrequency(ToneEngine& e, const VoiceSettings& s) {
  return keyPitch(e, s).target;
}

// The envelope of one frame: a linear fade to exactly 0 over ceil(countdown) frames while a
// retrigger fade runs (the gate waits), else a linear step toward the gate's end.
struct Envelope {
  double level;
  double countdown;
  double step;  // attack step with the gate on, minus the release step with it off

  double advance() {
    if (countdown > 0.0) {
      const double left = countdown - 1.0;
      level = level * std::max(left / countdown, 0.0);
      countdown = left;
    } else {
      level = std::min(std::max(level + step, 0.0), 1.0);
    }
    return level;
  }
};

double velocityFactor(double noteVelocity, const VoiceSettings& s) {
  return 1.0 - (1.0 - noteVelocity) * s.velocitySensitivity;
}

double velocityFactor(const ToneEngine& e, const VoiceSettings& s) {
  return velocityFactor(e.noteVelocity, s);
}

double vibratoCents(const ToneEngine& e, const VoiceSettings& s) {
  return std::min(s.vibratoCents + kModWheelCents * e.modWheel, kMaxVibratoCents);
}

// The held values of frames [from, to) written into the per-frame arrays.
void spreadHeld(StageBuffers& b, int from, int to) {
  for (int t = 0; t < kMixTerms; ++t)
    fillRun(b.stepMix[t] + kOversampling * from, kOversampling * (to - from), b.mix[t]);
  fillRun(b.frameTremoloDepth + from, to - from, b.tremoloDepth);
  fillRun(b.frameGain + from, to - from, b.gain);
}

// From now on the chunk keeps its settings per frame: the frames before `base` get theirs
// from the held values.
void settingsPerFrame(StageBuffers& b, int base) {
  if (b.settingsMove) return;
  b.settingsMove = true;
  if (base > 0) spreadHeld(b, 0, base);
}

// Settings that stay the same over frames [base, base + frames): held for the chunk while
// every run of it has the same, per frame once a run has others.
void holdSettings(StageBuffers& b, const VoiceCache& cache, int base, int frames) {
  if (base > 0 && b.heldVersion == cache.settingsVersion && !b.settingsMove) return;
  const VoiceSettings& s = cache.settings;
  if (base > 0) settingsPerFrame(b, base);
  b.heldVersion = cache.settingsVersion;
  for (int t = 0; t < kMixTerms; ++t)
    b.mix[t] = s.mix[t];
  b.tremoloDepth = s.tremoloDepth;
  b.gain = s.gain;
  if (b.settingsMove) spreadHeld(b, base, base + frames);
}

void recordSettings(StageBuffers& b, const VoiceSettings& s, int f) {
  for (int t = 0; t < kMixTerms; ++t)
    b.stepMix[t][kOversampling * f] = b.stepMix[t][kOversampling * f + 1] = s.mix[t];
  b.frameTremoloDepth[f] = s.tremoloDepth;
  b.frameGain[f] = s.gain;
}

// The chunk evaluates tremolo from now on: frames before `base` had a depth of 0, for which
// any phase gives a factor of exactly 1.
void tremoloFrom(StageBuffers& b, int base) {
  if (b.tremolo) return;
  b.tremolo = true;
  if (base > 0) fillRun(b.tremoloPhase, base, 0.0);
}

// What the modulation pass found, for the passes after it.
struct Modulation {
  bool vibrato;      // some frame has a vibrato depth other than 0
  bool steadyPitch;  // the glided frequency is the same on every frame
  KeyPitch* pitch;   // when steady, the sounding key's: its target is that pitch
};

// Frames while smoothing moves the settings: they are derived afresh on every frame and
// recorded per frame for the later stages.
Modulation modulateMoving(ToneEngine& e, StageBuffers& b, int base, int frames) {
  VoiceCache& cache = e.cache;
  settingsPerFrame(b, base);
  Modulation m{false, false, nullptr};
  bool tremolo = false;
  double frequency = e.currentFreq;
  Envelope envelope{e.envLevel, e.retriggerCountdown, 0.0};
  double vibratoPhase = e.vibratoPhase, tremoloPhase = e.tremoloPhase;
  for (int f = base; f < base + frames; ++f) {
    if (!cache.settled) {
      const ParamSet moved = smoothParameters(e);
      deriveSettings(e, moved | cache.stale);
      cache.stale = 0;
      cache.settled = moved == 0;
    }
    const VoiceSettings& s = cache.settings;
    recordSettings(b, s, f);
    tremolo |= s.tremoloDepth != 0.0;

    const double target = targetFrequency(e, s);
    frequency = s.glides ? frequency + (target - frequency) * s.glideCoefficient : target;
    b.frequency[f] = frequency;
    envelope.step = e.gate ? s.attackStep : -s.releaseStep;
    b.envelope[f] = envelope.advance() * velocityFactor(e, s);
    const double cents = vibratoCents(e, s);
    m.vibrato |= cents != 0.0;
    b.vibratoCents[f] = cents;
    b.vibratoPhase[f] = vibratoPhase;
    vibratoPhase = advancePhase(vibratoPhase, s.vibratoIncrement);
    tremoloPhase = advancePhase(tremoloPhase, s.tremoloIncrement);
    b.tremoloPhase[f] = tremoloPhase;
  }
  e.currentFreq = frequency;
  e.envLevel = envelope.level;
  e.retriggerCountdown = envelope.countdown;
  e.vibratoPhase = vibratoPhase;
  e.tremoloPhase = tremoloPhase;
  if (tremolo) tremoloFrom(b, base);  // the run's own phases are recorded already
  return m;
}

// The envelope over the run with a fixed step, times the velocity factor: the rest of a
// retrigger fade first, then the clamped steps, which change nothing once the level rests at
// the end the step leads to.
void envelopeOverRun(ToneEngine& e, double* levels, int frames, double step, double velocity) {
  Envelope envelope{e.envLevel, e.retriggerCountdown, step};
  int f = 0;
  for (; f < frames && envelope.countdown > 0.0; ++f)
    levels[f] = envelope.advance() * velocity;
  double level = envelope.level;
  if ((level == 1.0 && step >= 0.0) || (level == 0.0 && step <= 0.0)) {
    if (f < frames) fillRun(levels + f, frames - f, level * velocity);
  } else {
    for (; f < frames; ++f) {
      level = std::min(std::max(level + step, 0.0), 1.0);
      levels[f] = level * velocity;
    }
  }
  e.envLevel = level;
  e.retriggerCountdown = envelope.countdown;
}

// A modulation phase over the run: the phase of each frame before its advance is recorded
// when `before` is given, the phase after it when `after` is; the final phase is returned.
double phasesOverRun(double phase, double increment, int frames, double* before, double* after) {
  if (before != nullptr) {
    for (int f = 0; f < frames; ++f) {
      before[f] = phase;
      phase = advancePhase(phase, increment);
    }
  } else if (after != nullptr) {
    for (int f = 0; f < frames; ++f)
      after[f] = phase = advancePhase(phase, increment);
  } else {
    phase = advancePhaseBy(phase, increment, frames);
  }
  return phase;
}

// Frames with settled settings: everything that depends on them is worked out once, and each
// per-frame quantity gets a loop of its own, recorded only where a later stage reads it.
Modulation modulateSettled(ToneEngine& e, StageBuffers& b, int base, int frames) {
  const VoiceSettings& s = e.cache.settings;
  holdSettings(b, e.cache, base, frames);
  if (s.tremoloDepth != 0.0) tremoloFrom(b, base);
  const double cents = vibratoCents(e, s);
  KeyPitch& pitch = keyPitch(e, s);
  const double target = pitch.target;
  Modulation m{cents != 0.0, !s.glides, &pitch};

  envelopeOverRun(e, b.envelope + base, frames, e.gate ? s.attackStep : -s.releaseStep,
                  velocityFactor(e, s));
  e.vibratoPhase = phasesOverRun(e.vibratoPhase, s.vibratoIncrement, frames,
                                 m.vibrato ? b.vibratoPhase + base : nullptr, nullptr);
  e.tremoloPhase = phasesOverRun(e.tremoloPhase, s.tremoloIncrement, frames, nullptr,
                                 b.tremolo ? b.tremoloPhase + base : nullptr);
  if (m.vibrato) {
    for (int f = base; f < base + frames; ++f)
      b.vibratoCents[f] = cents;
  }
  if (s.glides) {
    double frequency = e.currentFreq;
    for (int f = base; f < base + frames; ++f)
      b.frequency[f] = frequency = frequency + (target - frequency) * s.glideCoefficient;
    e.currentFreq = frequency;
  } else {
    e.currentFreq = target;
  }
  return m;
}

int triangleLimitOf(double increment) {
  const double limit = kTriangleHarmonicLimit / increment;
  if (!(limit >= 0.0)) return 0;
  return limit >= kMaxTriangleHarmonic ? kMaxTriangleHarmonic : static_cast<int>(limit);
}

// The limit without the division while the increment stays within the range of increments
// seen with the same limit: a held pitch, and a vibrato around it, soon stay inside it.
int newTriangleLimit(LimitRange& range, double increment);

[[gnu::always_inline]] inline int triangleLimit(VoiceCache& cache, double increment) {
  const LimitRange& range = cache.triangleLimit;
  if (increment >= range.lowest && increment <= range.highest) return range.limit;
  return newTriangleLimit(cache.triangleLimit, increment);
}

int newTriangleLimit(LimitRange& range, double increment) {
  const int limit = triangleLimitOf(increment);
  // Only positive increments are ordered so (and only they occur); NaN bounds mean empty.
  if (limit == range.limit && increment > 0.0 && range.lowest > 0.0) {
    range.lowest = std::min(range.lowest, increment);
    range.highest = std::max(range.highest, increment);
  } else {
    range = increment > 0.0 ? LimitRange{increment, increment, limit}
                            : LimitRange{kNoIncrement, kNoIncrement, limit};
  }
  return limit;
}

// The oscillator's increment per step and the harmonic limit for the key's pitch held, worked
// out the first time a steady run asks.
const KeyPitch& steadyStep(ToneEngine& e, KeyPitch& pitch) {
  if (std::isnan(pitch.increment)) {
    const double ceiling = e.cache.settings.modulatedCeiling;
    pitch.increment = std::min(pitch.target, ceiling) / (kOversampling * e.sampleRate);
    pitch.limit = triangleLimit(e.cache, pitch.increment);
  }
  return pitch;
}

// Without a branch: among close notes of many pitches, whether the limit changes is a coin toss.
// The entry after the last has room, as a frame starts one segment at most.
void startSegment(StageBuffers& b, int frame, int limit) {
  const int count = b.segmentCount;
  const int lastLimit = b.segments[count > 0 ? count - 1 : 0].limit;
  b.segments[count] = {frame, limit};
  b.segmentCount = count + ((count == 0) | (lastLimit != limit));
}

// Frames [base, base + frames) at a fixed increment from `phase`: both steps' phases and
// increments written for the bank; returns the phase after them.
double writeSteadyPhases(StageBuffers& b, int base, int frames, double phase, double increment) {
  const int end = base + frames;
  for (int f = base; f < end;) {
    const int plain = kOversampling * (end - f) < kShortRun
                          ? f
                          : std::min(end, f + stepsBelowWrap(phase, increment) / kOversampling);
#pragma GCC unroll 2
    for (; f < plain; ++f) {
      b.phase[2 * f] = phase;
      phase += increment;
      b.phase[2 * f + 1] = phase;
      phase += increment;
    }
    if (f < end) {
      phase = frameSteps(b.phase + 2 * f, phase, increment);
      ++f;
    }
  }
  fillRun(b.increment + kOversampling * base, kOversampling * frames, increment);
  return phase;
}

// The phases of the chunk's first `frames` frames, so far left to the bank, written out after
// all, as a run that is no part of its stretch follows: the oscillator's phase, returned, is
// then the control stage's again (`phase` where the bank had none).
double settledPhase(StageBuffers& b, int frames, double phase) {
  if (!b.phasesInBank) return phase;
  b.phasesInBank = false;
  return writeSteadyPhases(b, 0, frames, b.bankPhase, b.bankIncrement);
}

void settlePhases(ToneEngine& e, StageBuffers& b) {
  e.oscPhase = settledPhase(b, b.frames, e.oscPhase);
}

// A steady run at `increment` goes on with the stretch whose phases the bank steps.
bool continuesBankStretch(const StageBuffers& b, double increment) {
  return b.phasesInBank && increment == b.bankIncrement;
}

// A steady run at `increment` from frame `base`: a chunk's first leaves its phases to the bank,
// and so does one that goes on with the same increment; others are written out.
void steadyPhases(ToneEngine& e, StageBuffers& b, int base, int frames, double increment) {
  if (base == 0) {
    b.phasesInBank = true;
    b.bankPhase = e.oscPhase;
    b.bankIncrement = increment;
    return;
  }
  if (continuesBankStretch(b, increment)) return;
  settlePhases(e, b);
  e.oscPhase = writeSteadyPhases(b, base, frames, e.oscPhase, increment);
}

// The oscillator's increment per step (cycles per oversampled step), the harmonic limit, and
// the phases of both steps of every frame.
void oscillatorPhases(ToneEngine& e, StageBuffers& b, int base, int frames, const Modulation& m) {
  if (m.steadyPitch && !m.vibrato) {
    const KeyPitch& step = steadyStep(e, *m.pitch);
    startSegment(b, base, step.limit);
    steadyPhases(e, b, base, frames, step.increment);
    return;
  }
  settlePhases(e, b);
  const double ceiling = e.cache.settings.modulatedCeiling;
  const double stepRate = kOversampling * e.sampleRate;
  double lastIncrement = std::numeric_limits<double>::quiet_NaN();
  int lastLimit = -1;
  double phase = e.oscPhase;
  for (int f = base; f < base + frames; ++f) {
    const double frequency = m.steadyPitch ? m.pitch->target : b.frequency[f];
    const double modulated =
        m.vibrato ? std::min(frequency * b.vibratoRatio[f], ceiling) : std::min(frequency, ceiling);
    const double increment = modulated / stepRate;
    if (increment != lastIncrement) {
      lastIncrement = increment;
      const int limit = triangleLimit(e.cache, increment);
      if (limit != lastLimit) {
        lastLimit = limit;
        startSegment(b, f, limit);
      }
    }
    b.increment[2 * f] = b.increment[2 * f + 1] = increment;
    phase = frameSteps(b.phase + 2 * f, phase, increment);
  }
  e.oscPhase = phase;
}

}  // namespace

// What the general path computes for such frames, without its setup; the voice's state in
// registers while they run.
int32_t appendSteadyNoteFrames(ToneEngine& e, const NoteFrame* notes, int32_t count, int32_t end) {
  StageBuffers& b = e.stages;
  const int base = b.frames;
  const VoiceSettings& s = e.cache.settings;
  if (base == 0 || !b.steadyFrames || vibratoCents(e, s) != 0.0) return 0;
  const int32_t room = kMaxRunFrames - base;
  const double fadeFrames = retriggerFrames(e);
  bool gate = e.gate;
  int32_t slot = e.currentSlot;
  double velocity = e.noteVelocity;
  // The envelope by its own rule, frame by frame; envelopeOverRun's setup costs more.
  Envelope envelope{e.envLevel, e.retriggerCountdown, 0.0};
  double phase = e.oscPhase;
  const KeyPitch* step = nullptr;
  int32_t n = 0;
  for (; n < count && n < room; ++n) {
    const NoteFrame& note = notes[n];
    if ((n + 1 < count ? notes[n + 1].frame : end) != note.frame + 1) break;
    const VoiceNotes now =
        afterNoteFrame({gate, slot, velocity, envelope.countdown}, note, fadeFrames);
    gate = now.gate;
    slot = now.slot;
    velocity = now.velocity;
    envelope.countdown = now.retriggerCountdown;
    const int f = base + n;
    envelope.step = gate ? s.attackStep : -s.releaseStep;
    b.envelope[f] = envelope.advance() * velocityFactor(velocity, s);
    step = &steadyStep(e, keyPitch(e, s, slot));
    startSegment(b, f, step->limit);
    // One frame of steadyPhases, without the setup of a run.
    if (!continuesBankStretch(b, step->increment)) {
      phase = frameSteps(b.phase + 2 * f, settledPhase(b, f, phase), step->increment);
      b.increment[2 * f] = b.increment[2 * f + 1] = step->increment;
    }
  }
  if (n == 0) return 0;
  b.frames = base + n;
  e.gate = gate;
  e.currentSlot = slot;
  e.noteVelocity = velocity;
  e.envLevel = envelope.level;
  e.retriggerCountdown = envelope.countdown;
  e.oscPhase = phase;
  e.currentFreq = step->target;
  // Nothing reads these phases while vibrato and tremolo are off: they jump.
  e.vibratoPhase = advancePhaseBy(e.vibratoPhase, s.vibratoIncrement, n);
  e.tremoloPhase = advancePhaseBy(e.tremoloPhase, s.tremoloIncrement, n);
  return n;
}

bool appendSteadyFrame(ToneEngine& e) {
  const NoteFrame unchanged = unchangedNotes(0, e.gate);
  return appendSteadyNoteFrames(e, &unchanged, 1, 1) == 1;
}

void runControlStage(ToneEngine& e, int frames) {
  StageBuffers& b = e.stages;
  const int base = b.frames;
  if (base == 0) {
    b.segmentCount = 0;
    b.settingsMove = false;
    b.tremolo = false;
    b.phasesInBank = false;
  }
  const Modulation m =
      e.cache.settled ? modulateSettled(e, b, base, frames) : modulateMoving(e, b, base, frames);
  if (m.vibrato) {
    padAfter(b.vibratoPhase, base + frames);
    padAfter(b.vibratoCents, base + frames);
    activeStages().vibratoRatios(b, base, base + frames);
  }
  oscillatorPhases(e, b, base, frames, m);
  b.frames = base + frames;
  // Only the control stage changes what this depends on, and the short way changes none of it.
  // A settled run whose settings do not move per frame holds the current ones.
  const VoiceSettings& s = e.cache.settings;
  b.steadyFrames =
      e.cache.settled && !b.settingsMove && !s.glides && !b.tremolo && s.tremoloDepth == 0.0;
}

void closeChunk(StageBuffers& b) {
  const int frames = b.frames;
  const int steps = kOversampling * frames;
  if (!b.phasesInBank) {
    padAfter(b.phase, steps);
    padAfter(b.increment, steps);
  }
  padAfter(b.envelope, frames);
  if (b.tremolo) padAfter(b.tremoloPhase, frames);
  if (b.settingsMove) {
    for (double* terms : b.stepMix)
      padAfter(terms, steps);
    padAfter(b.frameTremoloDepth, frames);
    padAfter(b.frameGain, frames);
  }
}
