// Processing trampolines: find the instance and hand the block to the engine.
#include "plugin/ProcessEntries.h"

#include "engine/BlockProcessor.h"
#include "plugin/PluginInstance.h"

void processEntry(AEffect* effect, float**, float** outputs, int32_t frames) {
  PluginInstance* p = instanceOf(effect);
  if (p == nullptr) return;
  processBlock(p->engine, p->midiQueue, p->paramValues, outputs, frames, true);
}

void processReplacingEntry(AEffect* effect, float**, float** outputs, int32_t frames) {
  PluginInstance* p = instanceOf(effect);
  if (p == nullptr) return;
  processBlock(p->engine, p->midiQueue, p->paramValues, outputs, frames, false);
}

void processDoubleReplacingEntry(AEffect* effect, double**, double** outputs, int32_t frames) {
  PluginInstance* p = instanceOf(effect);
  if (p == nullptr) return;
  processBlockDouble(p->engine, p->midiQueue, p->paramValues, outputs, frames);
}
