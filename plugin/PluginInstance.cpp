// Construction of an instance: defaults, program 0, the Original skin, 44100 Hz.
#include "plugin/PluginInstance.h"

#include <cstring>

#include "engine/BlockProcessor.h"
#include "plugin/Dispatcher.h"
#include "plugin/HostText.h"
#include "plugin/ParamAccess.h"
#include "plugin/ProcessEntries.h"
#include "plugin/Programs.h"

PluginInstance::PluginInstance(audioMasterCallback callback) {
  std::memset(&effect, 0, sizeof effect);
  hostCallback = callback;

  double defaults[kNumParams];
  programValues(0, defaults);
  initToneEngine(engine, defaults);
  for (int i = 0; i < kNumParams; ++i)
    paramValues[i].store(defaults[i]);

  currentProgram.store(0);
  skin.store(0);
  std::memset(&midiQueue, 0, sizeof midiQueue);
  std::memset(&chunkBuffer, 0, sizeof chunkBuffer);
  editorRect = ERect{0, 0, static_cast<int16_t>(kWindowHeight), static_cast<int16_t>(kWindowWidth)};
  editor = nullptr;
  hostSampleRate = kDefaultSampleRate;
  copyHostText(programName, kProgramNameSize, kProgramNames[0]);

  setSampleRate(engine, midiQueue, paramValues, hostSampleRate);

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
