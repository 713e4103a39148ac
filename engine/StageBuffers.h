// What one run of frames passes from stage to stage: the control stage's per-frame and
// per-step results, the oscillator bank's mix, the decimator's output. Fixed arrays sized by
// the longest run, inside the engine's record; each array has room for one widest vector
// past the end of a run, filled with copies of the last value, so that every stage works in
// whole vectors.
#pragma once

#include <cstdint>

#include "engine/TriangleWeights.h"
#include "engine/VoiceConstants.h"

constexpr int kMaxRunFrames = 128;
constexpr int kMaxRunSteps = kMaxRunFrames * voice::kOversampling;
constexpr int kFrameCapacity = kMaxRunFrames + voice::kMaxLanes;
constexpr int kStepCapacity = kMaxRunSteps + voice::kMaxLanes;

// The mix of the three oscillators as weights of the square, of the triangle's harmonic sum
// and of the three sines that make the sine oscillator, rescaling included.
enum MixTerm { kSquareTerm, kTriangleTerm, kFundamentalTerm, kThirdTerm, kFifthTerm, kMixTerms };

// From firstFrame on, the triangle sums its harmonics up to `limit`.
struct HarmonicSegment {
  int32_t firstFrame;
  int32_t limit;
};

struct StageBuffers {
  int32_t frames;     // frames of the chunk in the arrays so far
  int32_t hostFrame;  // the host's frame of the chunk's first frame

  // Settings that are constant over the run unless `settingsMove`, in which case the
  // per-frame (per-step for the mix) arrays below hold them.
  bool settingsMove;
  uint32_t heldVersion;  // the derivation of the settings held here
  double mix[kMixTerms];
  double tremoloDepth;
  double gain;
  bool tremolo;  // some frame of the run has a tremolo depth other than 0
  // The settings are settled and held, without glide or tremolo: frames may follow the short
  // way while the vibrato's depth stays 0.
  bool steadyFrames;

  int32_t segmentCount;
  HarmonicSegment segments[kMaxRunFrames];

  // A chunk that is one steady stretch (one increment from its first frame on) leaves its
  // phases to the oscillator bank, which steps them from bankPhase beside its own work, where
  // the two dependent additions a frame would otherwise run alone; the phase and increment
  // arrays below are then unused, and the engine's oscillator phase is the bank's to set.
  bool phasesInBank;
  double bankPhase;  // at the chunk's first step
  double bankIncrement;

  // Control stage to oscillator bank, per oversampled step.
  alignas(64) double phase[kStepCapacity];
  alignas(64) double increment[kStepCapacity];
  alignas(64) double stepMix[kMixTerms][kStepCapacity];  // while settings move

  // Oscillator bank to decimator, per step; decimator to output stage, per frame.
  alignas(64) double mixed[kStepCapacity];
  alignas(64) double filtered[kFrameCapacity];

  // Control stage to output stage, per frame.
  // The envelope's level times the note's velocity factor, 1 - (1 - velocity) * sensitivity:
  // a new note changes both on the same frame, so a velocity never breaks held settings.
  alignas(64) double envelope[kFrameCapacity];
  alignas(64) double tremoloPhase[kFrameCapacity];
  alignas(64) double frameTremoloDepth[kFrameCapacity];  // while settings move
  alignas(64) double frameGain[kFrameCapacity];

  // Within the control stage, per frame.
  alignas(64) double frequency[kFrameCapacity];  // glided, before vibrato
  alignas(64) double vibratoPhase[kFrameCapacity];
  alignas(64) double vibratoCents[kFrameCapacity];
  alignas(64) double vibratoRatio[kFrameCapacity];

  voice::TriangleWeights triangle;
};

// Copies a[n - 1] into the kMaxLanes entries after it. Internal linkage: the vector forms'
// objects include this, and no copy of a function of theirs may be shared.
static inline void padAfter(double* a, int n) {
  for (int i = 0; i < voice::kMaxLanes; ++i)
    a[n + i] = a[n - 1];
}
