// Copying host events into the fixed queue.
#include "engine/MidiEventQueue.h"

#include "plugin/vst2.h"

int32_t enqueueEvents(MidiEventQueue& queue, const VstEvents* events) {
  if (events == nullptr) return 0;
  if (static_cast<uint32_t>(events->numEvents) > static_cast<uint32_t>(kMidiQueueCapacity))
    return 0;
  const int32_t n = events->numEvents;
  for (int32_t i = 0; i < n; ++i) {
    const VstEvent* ev = events->events[i];
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
