// Saving and restoring the core through the state record.
#include "core/StateTransfer.h"

#include "core/InstrumentCore.h"
#include "core/ParamStore.h"
#include "core/ProgramSlot.h"

void buildState(const InstrumentCore& core, StateChunk& out) {
  SavedState state;
  state.program = static_cast<uint32_t>(core.currentProgram.load());
  for (int i = 0; i < kNumParams; ++i)
    state.values[i] = core.paramValues[i].load();
  state.skin = static_cast<uint32_t>(core.skin.load());
  encodeStateChunk(state, out);
}

bool applyState(InstrumentCore& core, const void* data, intptr_t size) {
  SavedState state;
  if (!decodeStateChunk(data, size, state)) return false;
  for (int32_t i = 0; i < kNumParams; ++i)
    storeParameter(core, i, state.values[i]);
  core.currentProgram.store(static_cast<int32_t>(state.program));
  core.skin.store(static_cast<int32_t>(state.skin));
  setFactoryName(core, static_cast<int32_t>(state.program));
  return true;
}
