// An RGB picture in memory, read from and written to PNG through cairo.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows top to bottom

  uint32_t at(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The pixels of an image surface; false for a surface in an error state.
bool pictureFromSurface(cairo_surface_t* surface, Picture& out);
bool loadPng(const std::string& path, Picture& out);
bool savePng(const std::string& path, const Picture& picture);

// The largest difference of one colour channel between two pixels.
int32_t channelDistance(uint32_t a, uint32_t b);
