// Pixel access to a cairo image surface for the canvas tests.
#include "tests/cairo/TestSurface.h"

#include <algorithm>

TestSurface::TestSurface(int32_t width, int32_t height, Rgb ground)
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)),
      width_(width),
      height_(height),
      ground_(ground) {
  cairo_t* cr = cairo_create(surface_);
  cairo_set_source_rgb(cr, ground.red / 255.0, ground.green / 255.0, ground.blue / 255.0);
  cairo_paint(cr);
  cairo_destroy(cr);
}

TestSurface::~TestSurface() {
  cairo_surface_destroy(surface_);
}

Rgb TestSurface::pixel(int32_t x, int32_t y) const {
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  uint32_t value = 0;
  std::copy_n(data + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 4, 4,
              reinterpret_cast<unsigned char*>(&value));
  return Rgb{static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
             static_cast<uint8_t>(value)};
}

int32_t TestSurface::countBlends(Rgb colour) const {
  int32_t count = 0;
  for (int32_t y = 0; y < height_; ++y)
    for (int32_t x = 0; x < width_; ++x) {
      const Rgb here = pixel(x, y);
      if (here != ground_ && here != colour) ++count;
    }
  return count;
}

PixelBox TestSurface::changedBox() const {
  return changedBox(RectI{0, 0, width_, height_});
}

PixelBox TestSurface::changedBox(RectI area) const {
  PixelBox box{area.right, area.bottom, area.left - 1, area.top - 1};
  for (int32_t y = std::max(area.top, 0); y < std::min(area.bottom, height_); ++y)
    for (int32_t x = std::max(area.left, 0); x < std::min(area.right, width_); ++x)
      if (!isGround(x, y)) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x);
        box.bottom = std::max(box.bottom, y);
      }
  return box;
}
