// Construction of the engine record.
#include "engine/ToneEngine.h"

#include <cmath>
#include <cstring>
#include <limits>

void adoptSampleRate(ToneEngine& e) {
  e.cache.smoothingStep = 1.0 - std::exp(-1.0 / (voice::kSmoothingSeconds * e.sampleRate));
  for (voice::KeyPitch& pitch : e.cache.keyPitch)
    pitch.semitones = std::numeric_limits<double>::quiet_NaN();
  markParamsChanged(e);
}

void silenceVoice(ToneEngine& e) {
  e.retriggerCountdown = 0.0;
  e.oscPhase = 0.0;
  e.vibratoPhase = 0.0;
  e.tremoloPhase = 0.0;
  e.envLevel = 0.0;
  e.gate = false;
  e.freqInitialised = false;
  e.sustainDown = false;
  e.currentSlot = -1;
  clearNoteTable(e.notes);
  e.pitchBend = 0.5;
  e.modWheel = 0.0;
  e.decimator = {};
}

void initToneEngine(ToneEngine& e, const double params[kNumParams]) {
  for (int i = 0; i < kNumParams; ++i) {
    e.blockParams[i] = params[i];
    e.smoothParams[i] = params[i];
  }
  e.sampleRate = 44100.0;
  e.currentFreq = 440.0;
  e.noteVelocity = 1.0;
  silenceVoice(e);

  constexpr double kNever = std::numeric_limits<double>::quiet_NaN();
  e.cache.glideDecay = {kNever, 0.0};
  e.cache.gain = {kNever, 0.0};
  e.cache.legato = {kNever, 0.0};
  e.cache.triangleLimit = {kNever, kNever, 0};
  e.cache.settings = {};
  e.cache.settingsVersion = 0;
  e.cache.moving = 0;
  e.cache.stale = 0;
  std::memset(&e.stages, 0, sizeof e.stages);
  voice::setTriangleLayout(e.stages.triangle, voice::kMaxTriangleSines);
  voice::setTriangleLimit(e.stages.triangle, voice::kMaxTriangleHarmonic);
  adoptSampleRate(e);
}
