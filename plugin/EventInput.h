// The host's MIDI input: VstEvents blocks decoded into the engine's event queue.
#pragma once

#include <cstdint>

#include "engine/MidiEventQueue.h"
#include "plugin/vst2.h"

// Appends the block's MIDI events; 0 when the block is refused (null, or more than 4096).
// Null events, other event types and events shorter than 24 bytes are skipped; events
// beyond the queue's room are dropped.
int32_t enqueueEvents(MidiEventQueue& queue, const VstEvents* events);
