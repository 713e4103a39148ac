// Program selection, program names and the saved state in VST 2 terms.
#include "plugin/ProgramState.h"

#include "core/HostText.h"
#include "core/ProgramSlot.h"
#include "core/StateTransfer.h"
#include "params/Programs.h"
#include "plugin/PluginInstance.h"

void setProgram(PluginInstance& instance, intptr_t value) {
  selectProgram(instance, value);
}

void setProgramName(PluginInstance& instance, const char* text) {
  renameProgram(instance, text);
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
  buildState(instance, instance.chunkBuffer);
  *out = instance.chunkBuffer.bytes;
  return static_cast<intptr_t>(kStateChunkSize);
}

intptr_t setChunk(PluginInstance& instance, intptr_t size, const void* data) {
  return applyState(instance, data, size) ? 1 : 0;
}
