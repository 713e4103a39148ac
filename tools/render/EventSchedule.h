// The MIDI file's channel messages stamped with the audio frame they fall on.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/render/MidiClock.h"
#include "tools/render/MidiFile.h"

struct ScheduledEvent {
  uint64_t frame = 0;
  uint8_t size = 0;
  uint8_t bytes[3] = {};
};

// In playing order; events of one frame keep the file's order.
std::vector<ScheduledEvent> scheduleEvents(const MidiFile& file, const MidiClock& clock);
