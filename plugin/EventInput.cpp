// Decoding VstEvents blocks into queued MIDI records.
#include "plugin/EventInput.h"

#include <cstring>

namespace {

constexpr int32_t kMinMidiEventBytes = 24;

}  // namespace

int32_t enqueueEvents(MidiEventQueue& queue, const VstEvents* events) {
  if (events == nullptr) return 0;
  if (static_cast<uint32_t>(events->numEvents) > static_cast<uint32_t>(kMidiQueueCapacity))
    return 0;
  const int32_t n = events->numEvents;
  // The host's block holds numEvents pointers while the record declares two: index them
  // through a pointer, not through the two-element array.
  const VstEvent* const* list = events->events;
  MidiEventWriter writer(queue);
  for (int32_t i = 0; i < n; ++i) {
    const VstEvent* ev = list[i];
    if (ev == nullptr || ev->type != kVstMidiType || ev->byteSize < kMinMidiEventBytes) continue;
    const auto* midi = reinterpret_cast<const VstMidiEvent*>(ev);
    uint32_t message;
    std::memcpy(&message, midi->midiData, sizeof message);
    writer.appendMessage(midi->deltaFrames, message);
  }
  return 1;
}
