// Saving and restoring through the host's store and retrieve functions. Every value is
// checked before any is applied; the stores are atomic, so run() may go on meanwhile.
#include "lv2/Lv2State.h"

#include <cstring>

#include "core/ProgramSlot.h"
#include "core/StateTransfer.h"
#include "lv2/Lv2Instance.h"
#include "params/Programs.h"

LV2_State_Status saveState(LV2_Handle handle, LV2_State_Store_Function store,
                           LV2_State_Handle state, uint32_t, const LV2_Feature* const*) {
  if (handle == nullptr || store == nullptr) return LV2_STATE_ERR_UNKNOWN;
  auto& p = *static_cast<Lv2Instance*>(handle);
  StateChunk record;
  buildState(p.core, record);
  return store(state, p.uris.stateRecord, record.bytes, sizeof record.bytes, p.uris.atomChunk,
               LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

LV2_State_Status restoreState(LV2_Handle handle, LV2_State_Retrieve_Function retrieve,
                              LV2_State_Handle state, uint32_t, const LV2_Feature* const*) {
  if (handle == nullptr || retrieve == nullptr) return LV2_STATE_ERR_UNKNOWN;
  auto& p = *static_cast<Lv2Instance*>(handle);

  size_t recordSize = 0;
  size_t size = 0;
  uint32_t type = 0;
  uint32_t flags = 0;
  const void* record = retrieve(state, p.uris.stateRecord, &recordSize, &type, &flags);
  const auto recordBytes = static_cast<intptr_t>(recordSize);
  SavedState saved;
  if (record != nullptr) {
    if (type != p.uris.atomChunk) return LV2_STATE_ERR_BAD_TYPE;
    if (!decodeStateChunk(record, recordBytes, saved)) return LV2_STATE_ERR_UNKNOWN;
  }
  const void* program = retrieve(state, p.uris.program, &size, &type, &flags);
  int32_t programIndex = 0;
  if (program != nullptr) {
    if (type != p.uris.atomInt) return LV2_STATE_ERR_BAD_TYPE;
    if (size != sizeof programIndex) return LV2_STATE_ERR_UNKNOWN;
    std::memcpy(&programIndex, program, sizeof programIndex);
    if (!isValidProgram(programIndex)) return LV2_STATE_ERR_UNKNOWN;
  }

  // A record holds a program number of its own and the exact values, which win.
  if (program != nullptr) loadProgram(p.core, programIndex);
  if (record != nullptr) applyState(p.core, record, recordBytes);
  return LV2_STATE_SUCCESS;
}
