// Audio buffers handed to a plug-in, with guard zones before and after each channel's block
// and recognisable fill values, so that the validator can tell samples the plug-in left
// unwritten and samples it wrote where it must not.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

template <typename Sample>
struct SampleBits;
template <>
struct SampleBits<float> {
  using Word = uint32_t;
  static constexpr Word kUnwritten = 0x7FC0DEADu;  // a quiet NaN no computation produces
  static constexpr Word kGuard = 0x7FBADBADu;
};
template <>
struct SampleBits<double> {
  using Word = uint64_t;
  static constexpr Word kUnwritten = 0x7FF8DEADDEADDEADull;
  static constexpr Word kGuard = 0x7FF4BADBADBADBADull;
};

template <typename Sample>
class ChannelBuffers {
 public:
  using Bits = SampleBits<Sample>;
  static constexpr int32_t kGuardFrames = 64;

  void allocate(int32_t channels, int32_t capacity) {
    channels_ = channels;
    stride_ = capacity + 2 * kGuardFrames;
    storage_.assign(static_cast<size_t>(channels) * stride_, Sample{});
    pointers_.assign(static_cast<size_t>(channels > 0 ? channels : 1), nullptr);
    for (int32_t c = 0; c < channels; ++c)
      pointers_[c] = storage_.data() + static_cast<size_t>(c) * stride_ + kGuardFrames;
  }

  int32_t channels() const { return channels_; }
  int32_t capacity() const { return stride_ - 2 * kGuardFrames; }
  Sample** pointers() { return pointers_.data(); }
  Sample* channel(int32_t c) { return pointers_[c]; }
  const Sample* channel(int32_t c) const { return pointers_[c]; }

  // Prepares a block of `frames`: the block holds `value`, the guards around it their mark.
  void prepare(int32_t frames, Sample value) {
    for (int32_t c = 0; c < channels_; ++c) {
      Sample* p = pointers_[c];
      for (int32_t i = -kGuardFrames; i < 0; ++i)
        mark(p[i], Bits::kGuard);
      for (int32_t i = 0; i < frames; ++i)
        p[i] = value;
      for (int32_t i = frames; i < frames + kGuardFrames; ++i)
        mark(p[i], Bits::kGuard);
    }
  }
  void prepareUnwritten(int32_t frames) {
    Sample unwritten;
    mark(unwritten, Bits::kUnwritten);
    prepare(frames, unwritten);
  }

  // Frames in the guard zones of a block of `frames` that no longer hold their mark.
  int32_t guardHits(int32_t frames) const {
    int32_t hits = 0;
    for (int32_t c = 0; c < channels_; ++c) {
      const Sample* p = pointers_[c];
      for (int32_t i = -kGuardFrames; i < 0; ++i)
        hits += !holds(p[i], Bits::kGuard);
      for (int32_t i = frames; i < frames + kGuardFrames; ++i)
        hits += !holds(p[i], Bits::kGuard);
    }
    return hits;
  }

  static bool isUnwritten(Sample s) { return holds(s, Bits::kUnwritten); }

 private:
  static void mark(Sample& s, typename Bits::Word word) { std::memcpy(&s, &word, sizeof s); }
  static bool holds(const Sample& s, typename Bits::Word word) {
    typename Bits::Word bits;
    std::memcpy(&bits, &s, sizeof bits);
    return bits == word;
  }

  int32_t channels_ = 0;
  int32_t stride_ = 0;
  std::vector<Sample> storage_;
  std::vector<Sample*> pointers_;
};
