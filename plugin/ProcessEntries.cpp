// Processing trampolines: find the instance and hand the block to the engine, in the
// engine's floating-point mode (the host's mode comes back on return).
#include "plugin/ProcessEntries.h"

#include "engine/BlockProcessor.h"
#include "engine/FloatingPointMode.h"
#include "plugin/PluginInstance.h"

void processEntry(AEffect* effect, float**, float** outputs, int32_t frames) {
  PluginInstance* p = instanceOf(effect);
  if (p == nullptr) return;
  const ProcessingFloatMode mode;
  processBlock(p->engine, p->midiQueue, p->paramValues, outputs, frames, true);
}

void processReplacingEntry(AEffect* effect, float**, float** outputs, int32_t frames) {
  PluginInstance* p = instanceOf(effect);
  if (p == nullptr) return;
  const ProcessingFloatMode mode;
  processBlock(p->engine, p->midiQueue, p->paramValues, outputs, frames, false);
}

void processDoubleReplacingEntry(AEffect* effect, double**, double** outputs, int32_t frames) {
  PluginInstance* p = instanceOf(effect);
  if (p == nullptr) return;
  const ProcessingFloatMode mode;
  processBlockDouble(p->engine, p->midiQueue, p->paramValues, outputs, frames);
}
