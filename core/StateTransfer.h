// The core's state as the 148-byte record every format saves: program, exact values, skin.
#pragma once

#include <cstdint>

#include "core/StateChunk.h"

struct InstrumentCore;

// Writes the current program, values and skin into `out`.
void buildState(const InstrumentCore& core, StateChunk& out);

// Takes over a record of `size` bytes: true when it was accepted whole, false when it was
// rejected (nothing changes then).
bool applyState(InstrumentCore& core, const void* data, intptr_t size);
