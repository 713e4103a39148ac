// Counting differing pixels outside the text and drawing the difference picture.
#include "tools/facecompare/PictureDiff.h"

#include <algorithm>

namespace {

uint32_t rgb(int32_t red, int32_t green, int32_t blue) {
  return (static_cast<uint32_t>(red) << 16) | (static_cast<uint32_t>(green) << 8) |
         static_cast<uint32_t>(blue);
}

int32_t grey(uint32_t pixel) {
  const int32_t red = (pixel >> 16) & 0xFF;
  const int32_t green = (pixel >> 8) & 0xFF;
  const int32_t blue = pixel & 0xFF;
  return (red * 3 + green * 6 + blue) / 10;
}

}  // namespace

TextMask::TextMask(int32_t width, int32_t height)
    : width_(width), height_(height), covered_(static_cast<size_t>(width) * height, 0) {}

void TextMask::cover(const InkBox& box) {
  if (box.empty()) return;
  for (int32_t y = std::max(box.top, 0); y <= std::min(box.bottom, height_ - 1); ++y)
    for (int32_t x = std::max(box.left, 0); x <= std::min(box.right, width_ - 1); ++x)
      covered_[index(x, y)] = 1;
}

PixelAgreement comparePixels(const Picture& a, const Picture& b, const TextMask& mask,
                             int32_t threshold) {
  PixelAgreement agreement;
  for (int32_t y = 0; y < a.height; ++y)
    for (int32_t x = 0; x < a.width; ++x) {
      if (mask.covers(x, y)) continue;
      ++agreement.compared;
      if (channelDistance(a.at(x, y), b.at(x, y)) > threshold) ++agreement.differing;
    }
  return agreement;
}

Picture differencePicture(const Picture& a, const Picture& b, const TextMask& mask,
                          int32_t threshold) {
  Picture out{a.width, a.height, std::vector<uint32_t>(a.pixels.size())};
  for (int32_t y = 0; y < a.height; ++y)
    for (int32_t x = 0; x < a.width; ++x) {
      const int32_t dim = 24 + grey(a.at(x, y)) / 4;
      const int32_t distance = channelDistance(a.at(x, y), b.at(x, y));
      uint32_t& pixel = out.pixels[static_cast<size_t>(y) * a.width + x];
      if (mask.covers(x, y)) {
        pixel = rgb(dim, dim, std::min(255, dim + 48));
      } else if (distance > threshold) {
        pixel = rgb(std::min(255, 128 + distance), std::min(255, distance / 2), 0);
      } else {
        pixel = rgb(dim, dim, dim);
      }
    }
  return out;
}
