// state:interface: the state record saved under one key; restore also takes a factory
// program number, which the factory presets carry.
#pragma once

#include <lv2/state/state.h>

LV2_State_Status saveState(LV2_Handle handle, LV2_State_Store_Function store,
                           LV2_State_Handle state, uint32_t flags,
                           const LV2_Feature* const* features);

// Keys that are missing keep the current values; a key of the wrong type or size, or a record
// that fails its checks, rejects the whole state and changes nothing.
LV2_State_Status restoreState(LV2_Handle handle, LV2_State_Retrieve_Function retrieve,
                              LV2_State_Handle state, uint32_t flags,
                              const LV2_Feature* const* features);
