// A buffer whose last byte is followed by an inaccessible page, so that a plug-in reading
// one byte too far faults at once instead of reading garbage unnoticed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class FencedMemory {
 public:
  explicit FencedMemory(const std::vector<uint8_t>& bytes);
  ~FencedMemory();
  FencedMemory(const FencedMemory&) = delete;
  FencedMemory& operator=(const FencedMemory&) = delete;

  // Never null, even for no bytes: then it points at the fence itself.
  uint8_t* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  void* base_ = nullptr;
  size_t mapped_ = 0;
  uint8_t* data_ = nullptr;
  size_t size_ = 0;
};
