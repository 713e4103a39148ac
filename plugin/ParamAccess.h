// Parameter access for the host: the AEffect entries and the parameter-text opcodes.
#pragma once

#include <cstdint>

#include "plugin/vst2.h"

struct PluginInstance;

void setParameterEntry(AEffect* effect, int32_t index, float value);
float getParameterEntry(AEffect* effect, int32_t index);

void getParamName(int32_t index, char* buffer);
void getParamLabel(int32_t index, char* buffer);
void getParamDisplay(const PluginInstance& instance, int32_t index, char* buffer);
// 1 when a value was stored from the text, else 0.
int32_t string2Parameter(PluginInstance& instance, int32_t index, const char* text);
int32_t canBeAutomated(int32_t index);
