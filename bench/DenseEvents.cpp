// The random blocks of note events.
#include "bench/DenseEvents.h"

#include <algorithm>
#include <random>

std::vector<TimedEvent> denseEvents(uint32_t seed, Spread spread, int count) {
  std::mt19937 random(seed);
  std::vector<TimedEvent> events(static_cast<size_t>(count));
  int turn = 0;
  for (TimedEvent& e : events) {
    e.frame = static_cast<int32_t>(random() % kDenseBlockFrames);
    if (spread != Spread::kRandomFrames) e.frame = 0;
    uint32_t roll = random() % 20;
    if (spread == Spread::kFrameZeroTakingTurns && roll != 0) roll = turn++ % 2 ? 15 : 5;
    const uint8_t channel = static_cast<uint8_t>(random() % 16);
    e.data1 = static_cast<uint8_t>(random() % 128);
    if (roll == 0) {
      e = {e.frame, 0xB0, 64, static_cast<uint8_t>(random() % 2 ? 127 : 0)};
    } else {
      e.status = static_cast<uint8_t>((roll < 11 ? 0x90 : 0x80) | channel);
      e.data2 = static_cast<uint8_t>(1 + random() % 127);
    }
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const TimedEvent& a, const TimedEvent& b) { return a.frame < b.frame; });
  return events;
}
