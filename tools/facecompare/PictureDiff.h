// Pixel agreement of two pictures of the same face away from its text, and a picture of
// where they differ.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/facecompare/Picture.h"
#include "tools/facecompare/TextInk.h"

// The pixels left out of the comparison: the text areas.
class TextMask {
 public:
  TextMask(int32_t width, int32_t height);
  void cover(const InkBox& box);
  bool covers(int32_t x, int32_t y) const { return covered_[index(x, y)] != 0; }

 private:
  size_t index(int32_t x, int32_t y) const { return static_cast<size_t>(y) * width_ + x; }
  int32_t width_;
  int32_t height_;
  std::vector<uint8_t> covered_;
};

struct PixelAgreement {
  int64_t compared = 0;
  int64_t differing = 0;  // by more than the threshold in some channel
  double differingShare() const { return compared > 0 ? double(differing) / compared : 0.0; }
};

// Both pictures must have the same size.
PixelAgreement comparePixels(const Picture& a, const Picture& b, const TextMask& mask,
                             int32_t threshold);

// The first picture dimmed to grey, masked text areas tinted blue, and every pixel that
// differs by more than the threshold in red, brighter the larger the difference.
Picture differencePicture(const Picture& a, const Picture& b, const TextMask& mask,
                          int32_t threshold);
