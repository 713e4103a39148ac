// Rate, reset and rendering handed to the engine with the core's store and queue.
#include "core/CoreAudio.h"

#include <cmath>

#include "core/InstrumentCore.h"
#include "engine/BlockProcessor.h"
#include "engine/FloatingPointMode.h"

bool acceptSampleRate(InstrumentCore& core, double rate) {
  if (!std::isfinite(rate) || rate < kMinSampleRate || rate > kMaxSampleRate) return false;
  core.hostSampleRate = rate;
  setSampleRate(core.engine, core.midiQueue, core.paramValues, rate);
  return true;
}

void resetCore(InstrumentCore& core) {
  resetEngine(core.engine, core.midiQueue, core.paramValues, true);
}

void renderFloat(InstrumentCore& core, float** outputs, int32_t frames, bool accumulate) {
  const ProcessingFloatMode mode;
  processBlock(core.engine, core.midiQueue, core.paramValues, outputs, frames, accumulate);
}

void renderDouble(InstrumentCore& core, double** outputs, int32_t frames) {
  const ProcessingFloatMode mode;
  processBlockDouble(core.engine, core.midiQueue, core.paramValues, outputs, frames);
}
