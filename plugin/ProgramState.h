// The program and state chunk opcodes, over the core's program slot and state record.
#pragma once

#include <cstdint>

struct PluginInstance;

void setProgram(PluginInstance& instance, intptr_t value);
void setProgramName(PluginInstance& instance, const char* text);
void getProgramName(const PluginInstance& instance, char* buffer);
// 1 for index 0..4, else 0.
int32_t getProgramNameIndexed(int32_t index, char* buffer);

// Fills the instance's chunk buffer and hands out its address: 148, or 0 for a null `out`.
intptr_t getChunk(PluginInstance& instance, void** out);
// 1 when the state was taken over, 0 when the chunk was rejected (nothing changes then).
intptr_t setChunk(PluginInstance& instance, intptr_t size, const void* data);
