// Filling a VstEvents block.
#include "tools/host/EventBlock.h"

namespace {
constexpr size_t kHeaderWords = offsetof(VstEvents, events) / sizeof(intptr_t);
}

EventBlock::EventBlock(size_t capacity)
    : midi_(capacity), header_(kHeaderWords + (capacity < 2 ? 2 : capacity), 0) {
  // Written through the words, not through the record's two-element array, which the
  // pointers run past by design.
  for (size_t i = 0; i < capacity; ++i)
    header_[kHeaderWords + i] = reinterpret_cast<intptr_t>(&midi_[i]);
}

bool EventBlock::add(int32_t deltaFrames, const uint8_t* bytes, size_t size) {
  if (full() || size == 0 || size > 3) return false;
  VstMidiEvent& e = midi_[count_++];
  e = VstMidiEvent{};
  e.type = kVstMidiType;
  e.byteSize = sizeof(VstMidiEvent);
  e.deltaFrames = deltaFrames;
  for (size_t i = 0; i < size; ++i)
    e.midiData[i] = static_cast<char>(bytes[i]);
  return true;
}

VstEvents* EventBlock::events() {
  auto* block = reinterpret_cast<VstEvents*>(header_.data());
  block->numEvents = static_cast<int32_t>(count_);
  block->reserved = 0;
  return block;
}
