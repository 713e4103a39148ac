// The test phrase and its block layouts.
#include "tests/lv2/Phrase.h"

std::vector<TimedMidi> testPhrase() {
  return {
      {0, 0x90, 60, 100},     {7, 0xB0, 1, 40},       {4000, 0x90, 64, 90},
      {9000, 0x80, 60, 0},    {9001, 0xE0, 0, 80},    {15000, 0xE0, 0, 64},
      {20000, 0x80, 64, 0},   {20000, 0x94, 67, 127}, {25111, 0xB4, 64, 127},
      {26000, 0x84, 67, 0},   {30000, 0x94, 55, 30},  {33333, 0xB4, 64, 0},
      {40000, 0xB0, 1, 127},  {41000, 0x90, 72, 64},  {41000, 0x90, 48, 64},
      {50000, 0xB0, 123, 0},  {52000, 0x90, 62, 110}, {60000, 0xE0, 127, 127},
      {62000, 0xB0, 121, 0},  {70001, 0x80, 62, 0},   {80000, 0x9F, 69, 100},
      {80512, 0x9F, 71, 100}, {81023, 0x8F, 69, 0},   {90000, 0x8F, 71, 0},
      {100000, 0x90, 57, 80}, {100001, 0x90, 59, 80}, {100002, 0x80, 57, 0},
      {120000, 0x80, 59, 0},
  };
}

std::vector<uint32_t> regularBlocks() {
  return std::vector<uint32_t>(static_cast<size_t>((kPhraseFrames + 511) / 512), 512);
}

std::vector<uint32_t> irregularBlocks() {
  static constexpr uint32_t kCycle[] = {1, 37, 512, 1000, 3, 700, 64, 2048, 5, 333};
  std::vector<uint32_t> blocks;
  int64_t covered = 0;
  for (size_t i = 0; covered < kPhraseFrames; ++i) {
    blocks.push_back(kCycle[i % (sizeof kCycle / sizeof kCycle[0])]);
    covered += blocks.back();
  }
  return blocks;
}

std::vector<TimedMidi> eventsIn(const std::vector<TimedMidi>& phrase, int64_t start,
                                uint32_t frames) {
  std::vector<TimedMidi> out;
  for (const TimedMidi& m : phrase)
    if (m.frame >= start && m.frame < start + frames)
      out.push_back({m.frame - start, m.status, m.data1, m.data2});
  return out;
}
