// A VstEvents block of MIDI events laid out as hosts hand it to effProcessEvents: used by the
// command-line hosts, the tests and the fuzz targets alike. Its storage is reserved once, so
// filling it for each audio block never allocates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "plugin/vst2.h"

class EventBlock {
 public:
  // One event more than the 4096 that instruments commonly queue, so that tests and fuzz
  // targets can overfill a queue with one block.
  static constexpr size_t kDefaultCapacity = 4097;

  explicit EventBlock(size_t capacity = kDefaultCapacity);

  void clear() { count_ = 0; }
  // Appends a MIDI message of 1 to 3 bytes at `deltaFrames`; false when the block is full
  // or the message is empty.
  bool add(int32_t deltaFrames, const uint8_t* bytes, size_t size);
  bool add(int32_t deltaFrames, uint8_t status, uint8_t data1, uint8_t data2);
  // Appends an event record as it is, odd type and size fields included, for probing how a
  // plug-in reads malformed blocks; false when the block is full.
  bool addRecord(const VstMidiEvent& record);

  size_t size() const { return count_; }
  size_t capacity() const { return midi_.size(); }
  bool empty() const { return count_ == 0; }
  bool full() const { return count_ == midi_.size(); }

  // The block as the plug-in receives it; valid until the block is changed, moved or copied.
  VstEvents* events();

 private:
  std::vector<VstMidiEvent> midi_;
  // Header words (count and reserved) followed by one pointer per event.
  std::vector<intptr_t> header_;
  size_t count_ = 0;
};
