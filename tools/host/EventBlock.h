// A VstEvents block of MIDI events laid out as hosts hand it to effProcessEvents. Its
// storage is reserved once, so filling it for each audio block never allocates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "plugin/vst2.h"

class EventBlock {
 public:
  explicit EventBlock(size_t capacity);

  void clear() { count_ = 0; }
  // Appends a MIDI message of 1 to 3 bytes at `deltaFrames`; false when the block is full
  // or the message is empty.
  bool add(int32_t deltaFrames, const uint8_t* bytes, size_t size);

  size_t size() const { return count_; }
  size_t capacity() const { return midi_.size(); }
  bool empty() const { return count_ == 0; }
  bool full() const { return count_ == midi_.size(); }

  // The block as the plug-in receives it; valid until the next add or clear.
  VstEvents* events();

 private:
  std::vector<VstMidiEvent> midi_;
  // Header words (count and reserved) followed by one pointer per event.
  std::vector<intptr_t> header_;
  size_t count_ = 0;
};
