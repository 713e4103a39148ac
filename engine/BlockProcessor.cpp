// Block rendering and engine resets.
// TODO(engine): the voice is not wired yet; blocks render silence and drop their events.
#include "engine/BlockProcessor.h"

#include "engine/DecimatorCoefficients.h"

static void copyParams(ToneEngine& e, const ParamStore* paramValues) {
  for (int i = 0; i < kNumParams; ++i) e.blockParams[i] = paramValues[i].load();
}

void processBlock(ToneEngine& e, MidiEventQueue& queue, const ParamStore* paramValues,
                  float** outputs, int32_t frames, bool accumulate) {
  if (frames < 0) return;
  copyParams(e, paramValues);
  queue.count = 0;
  if (outputs == nullptr || accumulate) return;
  for (int ch = 0; ch < 2; ++ch)
    if (outputs[ch] != nullptr)
      for (int32_t j = 0; j < frames; ++j) outputs[ch][j] = 0.0f;
}

void processBlockDouble(ToneEngine& e, MidiEventQueue& queue, const ParamStore* paramValues,
                        double** outputs, int32_t frames) {
  if (frames < 0) return;
  copyParams(e, paramValues);
  queue.count = 0;
  if (outputs == nullptr) return;
  for (int ch = 0; ch < 2; ++ch)
    if (outputs[ch] != nullptr)
      for (int32_t j = 0; j < frames; ++j) outputs[ch][j] = 0.0;
}

void resetEngine(ToneEngine& e, MidiEventQueue& queue, const ParamStore* paramValues,
                 bool clearQueue) {
  copyParams(e, paramValues);
  for (int i = 0; i < kNumParams; ++i) e.smoothParams[i] = e.blockParams[i];
  e.retriggerCountdown = 0.0;
  e.oscPhase = 0.0;
  e.vibratoPhase = 0.0;
  e.tremoloPhase = 0.0;
  e.envLevel = 0.0;
  e.gate = false;
  e.freqInitialised = false;
  e.sustainDown = false;
  e.currentSlot = -1;
  e.noteCounter = 0;
  for (NoteSlot& s : e.slots) s = NoteSlot{false, 0, 1.0};
  e.pitchBend = 0.5;
  e.modWheel = 0.0;
  for (BiquadSection& s : e.decimator) s.z1 = s.z2 = 0.0;
  if (clearQueue) queue.count = 0;
}

void setSampleRate(ToneEngine& e, MidiEventQueue& queue, const ParamStore* paramValues,
                   double rate) {
  e.sampleRate = rate < 8000.0 ? 8000.0 : rate;
  resetEngine(e, queue, paramValues, false);
  loadDecimatorCoefficients(e.decimator);
}
