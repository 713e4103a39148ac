// Pixels read back from an editor window, on any platform.
#pragma once

#include <cstdint>
#include <vector>

// A picture, top row first, each pixel as 0x00RRGGBB.
struct Capture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

constexpr uint32_t rgbPixel(uint8_t red, uint8_t green, uint8_t blue) {
  return (static_cast<uint32_t>(red) << 16) | (static_cast<uint32_t>(green) << 8) | blue;
}
