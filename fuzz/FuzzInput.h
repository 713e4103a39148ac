// Reads a fuzzer's input as a stream of small values; past the end every read gives zeros,
// so that any input, however short, is a complete script.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool empty() const { return position_ >= size_; }
  uint8_t byte() { return position_ < size_ ? data_[position_++] : 0; }
  template <typename T>
  T value() {
    T out{};
    uint8_t bytes[sizeof(T)] = {};
    for (uint8_t& b : bytes)
      b = byte();
    std::memcpy(&out, bytes, sizeof out);
    return out;
  }
  // Mostly a value in [low, high] (one byte, two for wider ranges), now and then any 32-bit
  // value.
  int32_t around(int32_t low, int32_t high) {
    const uint8_t pick = byte();
    if (pick >= kAnyValue) return value<int32_t>();
    const auto span = static_cast<uint32_t>(high - low) + 1;
    const uint32_t raw = span > 256 ? pick | static_cast<uint32_t>(byte()) << 8 : pick;
    return low + static_cast<int32_t>(raw % span);
  }

 private:
  static constexpr uint8_t kAnyValue = 240;
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};
