// Turning MIDI ticks into audio frames, exactly: the tempo map is kept as integer sums so
// that an event lands on the nearest frame however many tempo changes come before it.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/render/MidiFile.h"

class MidiClock {
 public:
  MidiClock(const MidiFile& file, uint32_t sampleRate);

  // The frame nearest to the tick's time (halves round up).
  uint64_t frameAt(uint64_t tick) const;
  double secondsAt(uint64_t tick) const;

  // The transport at a frame, for plug-ins that ask the host: position in quarter notes and
  // tempo in quarter notes per minute. Time-code files count as 120 per minute.
  double quarterAt(uint64_t frame) const;
  double tempoAt(uint64_t frame) const;

 private:
  // From `tick` on, each tick lasts `unitsPerTick` units; a second has `unitsPerSecond_`.
  struct Segment {
    uint64_t tick;
    unsigned __int128 unitsAtStart;
    uint32_t unitsPerTick;
  };
  const Segment& segmentAtTick(uint64_t tick) const;
  const Segment& segmentAtFrame(uint64_t frame) const;
  unsigned __int128 unitsAt(uint64_t tick) const;

  std::vector<Segment> segments_;
  uint64_t unitsPerSecond_ = 1;
  uint32_t sampleRate_;
  double ticksPerQuarter_ = 0.0;  // 0 for time-code files
};
