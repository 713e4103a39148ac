// The test phrase.
#include "tests/formats/Phrase.h"

// Notes across block edges on several channels, overlaps (legato), bend to both ends and
// back, the mod wheel, the pedal holding released notes, all-notes-off and controller reset.
std::vector<TimedMidi> testPhrase() {
  return {
      {0, 0x90, 60, 100},     {7, 0xB0, 1, 40},        {4000, 0x90, 64, 90},
      {9000, 0x80, 60, 0},    {9001, 0xE0, 0, 80},     {12000, 0xE0, 0, 0},
      {15000, 0xE0, 0, 64},   {20000, 0x80, 64, 0},    {20000, 0x94, 67, 127},
      {25111, 0xB4, 64, 127}, {26000, 0x84, 67, 0},    {30000, 0x94, 55, 30},
      {33333, 0xB4, 64, 0},   {40000, 0xB0, 1, 127},   {41000, 0x90, 72, 64},
      {41000, 0x90, 48, 64},  {47999, 0xB0, 1, 0},     {50000, 0xB0, 123, 0},
      {52000, 0x90, 62, 110}, {60000, 0xE0, 127, 127}, {62000, 0xB0, 121, 0},
      {70001, 0x80, 62, 0},   {80000, 0x9F, 69, 100},  {80512, 0x9F, 71, 100},
      {81023, 0x8F, 69, 0},   {90000, 0x8F, 71, 0},    {100000, 0x90, 57, 80},
      {100001, 0x90, 59, 80}, {100002, 0x80, 57, 0},   {120000, 0x80, 59, 0},
  };
}
