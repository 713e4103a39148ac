// The fixed queue of MIDI events waiting for the next processing block.
#pragma once

#include <cstdint>

constexpr int32_t kMidiQueueCapacity = 4096;

struct QueuedMidiEvent {
  int32_t frame;     // offset within the coming block, never negative
  int32_t sequence;  // arrival index, unique within the queue
  uint8_t status;
  uint8_t data1;
  uint8_t data2;
};

struct MidiEventQueue {
  QueuedMidiEvent events[kMidiQueueCapacity];
  int32_t count;
};

// Appends one event after those already queued, numbered by its arrival: a negative frame
// becomes 0 and the data bytes lose their top bit. False, and nothing stored, when full.
bool appendMidiEvent(MidiEventQueue& queue, int32_t frame, uint8_t status, uint8_t data1,
                     uint8_t data2);

// Orders the queue by frame, then by arrival; in place, without allocating.
void sortQueue(MidiEventQueue& queue);

// Drops the first `handled` events and moves the rest to the front for the next block:
// frames shift back by `blockFrames` (not below 0), arrival numbers restart at 0.
void carryOver(MidiEventQueue& queue, int32_t handled, int32_t blockFrames);
