// Storing events in the fixed queue, ordering them, and carrying the rest over.
#include "engine/MidiEventQueue.h"

#include <algorithm>

void sortQueue(MidiEventQueue& queue) {
  // Sequences are unique, so this order is total and any in-place sort gives the same result.
  const auto before = [](const QueuedMidiEvent& a, const QueuedMidiEvent& b) {
    return a.frame != b.frame ? a.frame < b.frame : a.sequence < b.sequence;
  };
  if (!queue.unordered) return;
  std::sort(queue.events, queue.events + queue.count, before);
  queue.unordered = false;
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
  queue.unordered = false;  // what was sorted stays sorted when shifted
}
