// Storing events in the fixed queue, ordering them, and carrying the rest over.
#include "engine/MidiEventQueue.h"

#include <algorithm>

bool appendMidiEvent(MidiEventQueue& queue, int32_t frame, uint8_t status, uint8_t data1,
                     uint8_t data2) {
  if (queue.count < 0 || queue.count >= kMidiQueueCapacity) return false;
  QueuedMidiEvent& q = queue.events[queue.count];
  q.frame = frame < 0 ? 0 : frame;
  q.sequence = queue.count;
  q.status = status;
  q.data1 = data1 & 0x7F;
  q.data2 = data2 & 0x7F;
  ++queue.count;
  return true;
}

void sortQueue(MidiEventQueue& queue) {
  // Sequences are unique, so this order is total and any in-place sort gives the same result.
  const auto before = [](const QueuedMidiEvent& a, const QueuedMidiEvent& b) {
    return a.frame != b.frame ? a.frame < b.frame : a.sequence < b.sequence;
  };
  QueuedMidiEvent* end = queue.events + queue.count;
  // Hosts send events in time order nearly always: one pass finds that out.
  if (std::is_sorted(queue.events, end, before)) return;
  std::sort(queue.events, end, before);
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
