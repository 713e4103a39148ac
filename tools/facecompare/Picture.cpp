// PNG pictures through cairo's own reader and writer.
#include "tools/facecompare/Picture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

bool pictureFromSurface(cairo_surface_t* surface, Picture& out) {
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return false;
  cairo_surface_flush(surface);
  out.width = cairo_image_surface_get_width(surface);
  out.height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  out.pixels.resize(static_cast<size_t>(out.width) * out.height);
  for (int32_t y = 0; y < out.height; ++y) {
    std::memcpy(&out.pixels[static_cast<size_t>(y) * out.width],
                data + static_cast<size_t>(y) * stride, static_cast<size_t>(out.width) * 4);
  }
  // Alpha is not part of the picture (the pictures compared are opaque).
  for (uint32_t& pixel : out.pixels)
    pixel &= 0x00FFFFFF;
  return true;
}

bool loadPng(const std::string& path, Picture& out) {
  cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
  const bool loaded = pictureFromSurface(surface, out);
  cairo_surface_destroy(surface);
  return loaded;
}

bool savePng(const std::string& path, const Picture& picture) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return false;
  }
  cairo_surface_flush(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  for (int32_t y = 0; y < picture.height; ++y) {
    std::memcpy(data + static_cast<size_t>(y) * stride,
                &picture.pixels[static_cast<size_t>(y) * picture.width],
                static_cast<size_t>(picture.width) * 4);
  }
  cairo_surface_mark_dirty(surface);
  const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}

int32_t channelDistance(uint32_t a, uint32_t b) {
  int32_t largest = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int32_t ca = static_cast<int32_t>((a >> shift) & 0xFF);
    const int32_t cb = static_cast<int32_t>((b >> shift) & 0xFF);
    largest = std::max(largest, std::abs(ca - cb));
  }
  return largest;
}
