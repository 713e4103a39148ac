// Copying host events into the fixed queue, ordering them, and carrying the rest over.
#include "engine/MidiEventQueue.h"

#include <algorithm>

#include "plugin/vst2.h"

int32_t enqueueEvents(MidiEventQueue& queue, const VstEvents* events) {
  if (events == nullptr) return 0;
  if (static_cast<uint32_t>(events->numEvents) > static_cast<uint32_t>(kMidiQueueCapacity))
    return 0;
  const int32_t n = events->numEvents;
  // The host's block holds numEvents pointers while the record declares two: index them
  // through a pointer, not through the two-element array.
  const VstEvent* const* list = events->events;
  for (int32_t i = 0; i < n; ++i) {
    const VstEvent* ev = list[i];
    if (ev == nullptr || ev->type != kVstMidiType || ev->byteSize < 24) continue;
    if (queue.count >= kMidiQueueCapacity) continue;
    const auto* midi = reinterpret_cast<const VstMidiEvent*>(ev);
    QueuedMidiEvent& q = queue.events[queue.count];
    q.frame = midi->deltaFrames < 0 ? 0 : midi->deltaFrames;
    q.sequence = queue.count;
    q.status = static_cast<uint8_t>(midi->midiData[0]);
    q.data1 = static_cast<uint8_t>(midi->midiData[1]) & 0x7F;
    q.data2 = static_cast<uint8_t>(midi->midiData[2]) & 0x7F;
    ++queue.count;
  }
  return 1;
}

void sortQueue(MidiEventQueue& queue) {
  // Sequences are unique, so this order is total and any in-place sort gives the same result.
  std::sort(queue.events, queue.events + queue.count,
            [](const QueuedMidiEvent& a, const QueuedMidiEvent& b) {
              return a.frame != b.frame ? a.frame < b.frame : a.sequence < b.sequence;
            });
}

void carryOver(MidiEventQueue& queue, int32_t handled, int32_t blockFrames) {
  int32_t kept = 0;
  for (int32_t i = handled; i < queue.count; ++i) {
    QueuedMidiEvent ev = queue.events[i];
    ev.frame = ev.frame - blockFrames < 0 ? 0 : ev.frame - blockFrames;
    ev.sequence = kept;
    queue.events[kept++] = ev;
  }
  queue.count = kept;
}
