// Stamping messages with frames. The messages are already in playing order and the clock is
// monotonic, so the frames come out sorted.
#include "tools/render/EventSchedule.h"

std::vector<ScheduledEvent> scheduleEvents(const MidiFile& file, const MidiClock& clock) {
  std::vector<ScheduledEvent> events;
  events.reserve(file.messages.size());
  for (const MidiMessage& m : file.messages) {
    ScheduledEvent e;
    e.frame = clock.frameAt(m.tick);
    e.size = m.size;
    for (int i = 0; i < 3; ++i)
      e.bytes[i] = m.bytes[i];
    events.push_back(e);
  }
  return events;
}
