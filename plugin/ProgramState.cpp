// Factory program loading and the saved state.
#include "plugin/ProgramState.h"

#include <cstring>

#include "plugin/HostText.h"
#include "plugin/ParamAccess.h"
#include "plugin/PluginInstance.h"
#include "plugin/Programs.h"

static void setFactoryName(PluginInstance& instance, int32_t index) {
  copyHostText(instance.programName, kProgramNameSize, kProgramNames[index]);
}

void loadProgram(PluginInstance& instance, int32_t index) {
  if (!isValidProgram(index)) return;
  double values[kNumParams];
  programValues(index, values);
  for (int32_t i = 0; i < kNumParams; ++i)
    storeParameter(instance, i, values[i]);
  instance.currentProgram.store(index);
  setFactoryName(instance, index);
}

void setProgram(PluginInstance& instance, intptr_t value) {
  // Selecting the current program again keeps the edits made since.
  if (value == static_cast<intptr_t>(instance.currentProgram.load())) return;
  loadProgram(instance, static_cast<int32_t>(value));
}

void setProgramName(PluginInstance& instance, const char* text) {
  if (text == nullptr) return;
  copyHostText(instance.programName, kProgramNameSize, text);
}

void getProgramName(const PluginInstance& instance, char* buffer) {
  copyHostText(buffer, kVstMaxProgNameLen, instance.programName);
}

int32_t getProgramNameIndexed(int32_t index, char* buffer) {
  if (!isValidProgram(index)) return 0;
  copyHostText(buffer, kVstMaxProgNameLen, kProgramNames[index]);
  return 1;
}

intptr_t getChunk(PluginInstance& instance, void** out) {
  if (out == nullptr) return 0;
  SavedState state;
  state.program = static_cast<uint32_t>(instance.currentProgram.load());
  for (int i = 0; i < kNumParams; ++i)
    state.values[i] = instance.paramValues[i].load();
  state.skin = static_cast<uint32_t>(instance.skin.load());
  encodeStateChunk(state, instance.chunkBuffer);
  *out = instance.chunkBuffer.bytes;
  return static_cast<intptr_t>(kStateChunkSize);
}

intptr_t setChunk(PluginInstance& instance, intptr_t size, const void* data) {
  SavedState state;
  if (!decodeStateChunk(data, size, state)) return 0;
  for (int32_t i = 0; i < kNumParams; ++i)
    storeParameter(instance, i, state.values[i]);
  instance.currentProgram.store(static_cast<int32_t>(state.program));
  instance.skin.store(static_cast<int32_t>(state.skin));
  setFactoryName(instance, static_cast<int32_t>(state.program));
  return 1;
}
