// Filling a VstEvents block.
#include "tools/host/EventBlock.h"

namespace {
constexpr size_t kHeaderWords = offsetof(VstEvents, events) / sizeof(intptr_t);
// The record declares two event pointers; an empty or one-event block still has both.
constexpr size_t kDeclaredPointers = 2;
}  // namespace

EventBlock::EventBlock(size_t capacity)
    : midi_(capacity),
      header_(kHeaderWords + (capacity < kDeclaredPointers ? kDeclaredPointers : capacity), 0) {}

bool EventBlock::addRecord(const VstMidiEvent& record) {
  if (full()) return false;
  midi_[count_++] = record;
  return true;
}

bool EventBlock::add(int32_t deltaFrames, const uint8_t* bytes, size_t size) {
  if (size == 0 || size > 3) return false;
  VstMidiEvent e{};
  e.type = kVstMidiType;
  e.byteSize = sizeof(VstMidiEvent);
  e.deltaFrames = deltaFrames;
  for (size_t i = 0; i < size; ++i)
    e.midiData[i] = static_cast<char>(bytes[i]);
  return addRecord(e);
}

bool EventBlock::add(int32_t deltaFrames, uint8_t status, uint8_t data1, uint8_t data2) {
  const uint8_t bytes[] = {status, data1, data2};
  return add(deltaFrames, bytes, sizeof bytes);
}

VstEvents* EventBlock::events() {
  // Written through the words, not through the record's two-element array, which the
  // pointers run past by design; written here so that a moved or copied block stays right.
  for (size_t i = 0; i < count_; ++i)
    header_[kHeaderWords + i] = reinterpret_cast<intptr_t>(&midi_[i]);
  auto* block = reinterpret_cast<VstEvents*>(header_.data());
  block->numEvents = static_cast<int32_t>(count_);
  block->reserved = 0;
  return block;
}
