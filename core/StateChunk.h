// The saved state: 148 bytes, little-endian, packed. Version 1 (144 bytes, no skin) is read too.
#pragma once

#include <cstddef>
#include <cstdint>

#include "params/ParamTable.h"

constexpr size_t kStateChunkSizeV1 = 144;
constexpr size_t kStateChunkSize = 148;
constexpr uint32_t kStateChunkVersion = 2;
constexpr char kStateChunkMagic[4] = {'B', 'R', 'Q', '2'};

struct StateChunk {
  unsigned char bytes[kStateChunkSize];
};
static_assert(sizeof(StateChunk) == kStateChunkSize);

// The state a chunk carries, in typed form.
struct SavedState {
  uint32_t program;
  double values[kNumParams];
  uint32_t skin;
};

void encodeStateChunk(const SavedState& state, StateChunk& out);

// Reads a host buffer byte-wise (no alignment needed) and applies every rejection rule;
// false leaves `out` untouched. Version 1 chunks come back with skin 0.
bool decodeStateChunk(const void* data, intptr_t size, SavedState& out);
