// Processing trampolines: find the instance and hand the block to the core.
#include "plugin/ProcessEntries.h"

#include "core/CoreAudio.h"
#include "plugin/PluginInstance.h"

void processEntry(AEffect* effect, float**, float** outputs, int32_t frames) {
  PluginInstance* p = instanceOf(effect);
  if (p == nullptr) return;
  renderFloat(*p, outputs, frames, true);
}

void processReplacingEntry(AEffect* effect, float**, float** outputs, int32_t frames) {
  PluginInstance* p = instanceOf(effect);
  if (p == nullptr) return;
  renderFloat(*p, outputs, frames, false);
}

void processDoubleReplacingEntry(AEffect* effect, double**, double** outputs, int32_t frames) {
  PluginInstance* p = instanceOf(effect);
  if (p == nullptr) return;
  renderDouble(*p, outputs, frames);
}
