// The sound engine's record: one monophonic voice, its controllers, the note table, the
// decimation filter and the arrays a run of frames is rendered through. It lives inside the
// plug-in instance and never allocates.
#pragma once

#include <cstdint>

#include "engine/DecimatorState.h"
#include "engine/NoteTable.h"
#include "engine/StageBuffers.h"
#include "engine/VoiceCache.h"
#include "params/ParamIds.h"

struct ToneEngine {
  double blockParams[kNumParams];   // snapshot of the parameter store at block start
  double smoothParams[kNumParams];  // per-frame smoothed copy of blockParams
  double sampleRate;
  double oscPhase;
  double vibratoPhase;
  double tremoloPhase;
  double envLevel;
  double currentFreq;
  double noteVelocity;
  double pitchBend;
  double modWheel;
  double retriggerCountdown;
  bool gate;
  bool freqInitialised;
  bool sustainDown;
  int32_t currentSlot;
  NoteTable notes;
  DecimatorState decimator;
  voice::VoiceCache cache;
  StageBuffers stages;  // one run of frames on its way through the stages
};

// Construction values: the given normalized parameters in both copies, 44100 Hz, 440 Hz and
// an idle note table.
void initToneEngine(ToneEngine& engine, const double params[kNumParams]);

// Starts the voice from silence: phases, envelope, note table, controllers and filter
// states back to their idle values. The rate, the glided pitch and the parameters stay.
void silenceVoice(ToneEngine& engine);

// Takes over engine.sampleRate: recomputes what depends on it.
void adoptSampleRate(ToneEngine& engine);

// Tells the voice that the parameters in `changed` were written from outside (in
// blockParams or smoothParams); all of them when the rate changed.
inline void markParamsChanged(ToneEngine& engine, voice::ParamSet changed = voice::kEveryParam) {
  engine.cache.settled = false;
  engine.cache.moving |= changed;
  engine.cache.stale |= changed;
}
