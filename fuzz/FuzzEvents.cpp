// Building fuzzed event blocks.
#include "fuzz/FuzzEvents.h"

namespace {

constexpr int32_t kOddSizes[] = {0, 8, 23, 24, 1000};

}  // namespace

VstEvents* FuzzEvents::read(FuzzInput& input) {
  const uint8_t shape = input.byte();
  size_t count = input.byte();
  if (shape & 1) count *= 16;
  if (shape & 2) count = kMostEvents - (shape >> 6);  // at and around a full queue
  if (count > kMostEvents) count = kMostEvents;
  block_.clear();
  for (size_t i = 0; i < count; ++i) {
    VstMidiEvent e{};
    const uint8_t kind = input.byte();
    e.type = kind < 240 ? kVstMidiType : (kind & 1 ? kVstSysExType : kind);
    e.byteSize = kind < 224 ? static_cast<int32_t>(sizeof(VstMidiEvent)) : kOddSizes[kind % 5];
    e.deltaFrames = input.around(-8, 4200);
    for (int b = 0; b < 3; ++b)
      e.midiData[b] = static_cast<char>(input.byte());
    block_.addRecord(e);
  }
  return block_.events();
}
