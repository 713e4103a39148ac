// Construction of an instance: the core's defaults and the AEffect record that points to them.
#include "plugin/PluginInstance.h"

#include <cstring>

#include "params/Programs.h"
#include "plugin/Dispatcher.h"
#include "plugin/ParamAccess.h"
#include "plugin/ProcessEntries.h"

PluginInstance::PluginInstance(audioMasterCallback callback)
    : HostRecord{}, InstrumentCore(notifier) {
  std::memset(&effect, 0, sizeof effect);
  hostCallback = callback;
  std::memset(&chunkBuffer, 0, sizeof chunkBuffer);
  editorRect = ERect{0, 0, kEditorHeight, kEditorWidth};
  editor = nullptr;

  effect.magic = kEffectMagic;
  effect.dispatcher = dispatcherEntry;
  effect.process = processEntry;
  effect.setParameter = setParameterEntry;
  effect.getParameter = getParameterEntry;
  effect.numPrograms = kNumPrograms;
  effect.numParams = kNumParams;
  effect.numInputs = 0;
  effect.numOutputs = kNumOutputs;
  effect.flags = effFlagsHasEditor | effFlagsCanReplacing | effFlagsProgramChunks |
                 effFlagsIsSynth | effFlagsCanDoubleReplacing;
  effect.ioRatio = 1.0f;
  effect.object = this;
  effect.uniqueID = kUniqueId;
  effect.version = kPluginVersion;
  effect.processReplacing = processReplacingEntry;
  effect.processDoubleReplacing = processDoubleReplacingEntry;
}
