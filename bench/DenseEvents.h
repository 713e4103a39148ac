// The note events of the event benchmarks: note-ons and note-offs in one 512-frame block at
// random frames, channels and keys, one in twenty a pedal change, in time order; 4,096 of them
// unless asked otherwise.
#pragma once

#include <cstdint>
#include <vector>

constexpr int32_t kDenseBlockFrames = 512;
constexpr int kDenseEventCount = 4096;

struct TimedEvent {
  int32_t frame;
  uint8_t status, data1, data2;
};

// How the events are spread: at random frames; all on frame 0 (one run, so no runs between
// events); and on frame 0 with presses and releases taking turns between the pedal changes
// instead of coming in random order (so that a processor guesses the kind of nearly every
// event right).
enum class Spread { kRandomFrames, kFrameZero, kFrameZeroTakingTurns };

std::vector<TimedEvent> denseEvents(uint32_t seed, Spread spread = Spread::kRandomFrames,
                                    int count = kDenseEventCount);
