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
  // Some event was queued with an earlier frame than the one before it. Hosts send events in
  // time order nearly always, so sorting is skipped unless this is set.
  bool unordered;
};

// Appends one event after those already queued (inline: every event of the host passes here),
// numbered by its arrival: a negative frame becomes 0 and the data bytes lose their top bit. False,
// and nothing stored, when full.
inline bool appendMidiEvent(MidiEventQueue& queue, int32_t frame, uint8_t status, uint8_t data1,
                            uint8_t data2) {
  const int32_t count = queue.count;
  if (count < 0 || count >= kMidiQueueCapacity) return false;
  QueuedMidiEvent& q = queue.events[count];
  q.frame = frame < 0 ? 0 : frame;
  // Order is kept relative to the events queued since the queue was last empty. The flag is
  // written only when it changes: reading it back on every event would chain them together.
  if (count == 0)
    queue.unordered = false;
  else if (q.frame < queue.events[count - 1].frame)
    queue.unordered = true;
  q.sequence = count;
  q.status = status;
  q.data1 = data1 & 0x7F;
  q.data2 = data2 & 0x7F;
  queue.count = count + 1;
  return true;
}

// Orders the queue by frame, then by arrival, when it is not in that order already; in place,
// without allocating.
void sortQueue(MidiEventQueue& queue);

// Drops the first `handled` events and moves the rest to the front for the next block:
// frames shift back by `blockFrames` (not below 0), arrival numbers restart at 0.
void carryOver(MidiEventQueue& queue, int32_t handled, int32_t blockFrames);
