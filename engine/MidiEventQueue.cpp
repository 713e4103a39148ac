// Storing events in the fixed queue, ordering them, and carrying the rest over.
#include "engine/MidiEventQueue.h"

#include <algorithm>
#include <cstddef>

// A stable merge sort from the bottom up: runs of 1, 2, 4... merged back and forth between the
// queue and its sort space, so that events of one frame keep their order of arrival.
void sortQueue(MidiEventQueue& queue) {
  if (!queue.unordered) return;
  queue.unordered = false;
  const auto earlier = [](const QueuedMidiEvent& a, const QueuedMidiEvent& b) {
    return a.frame < b.frame;
  };
  const ptrdiff_t n = queue.count;
  QueuedMidiEvent* from = queue.events;
  QueuedMidiEvent* to = queue.sortSpace;
  for (ptrdiff_t width = 1; width < n; width *= 2) {
    for (ptrdiff_t start = 0; start < n; start += 2 * width) {
      const ptrdiff_t middle = std::min(start + width, n), end = std::min(start + 2 * width, n);
      std::merge(from + start, from + middle, from + middle, from + end, to + start, earlier);
    }
    std::swap(from, to);
  }
  if (from != queue.events) std::copy(from, from + n, queue.events);
}

void carryOver(MidiEventQueue& queue, int32_t handled, int32_t blockFrames) {
  int32_t kept = 0;
  for (int32_t i = handled; i < queue.count; ++i) {
    QueuedMidiEvent ev = queue.events[i];
    ev.frame = ev.frame - blockFrames < 0 ? 0 : ev.frame - blockFrames;
    queue.events[kept++] = ev;
  }
  queue.count = kept;
  queue.unordered = false;  // what was sorted stays sorted when shifted
}
