// The face-identity walk's surface on Linux: the editor's cairo image surfaces, against the
// face painted in one pass with the cairo canvas on a new image surface.
#include <cairo.h>

#include <cstring>

#include "editor/PaintEditor.h"
#include "editor/WindowSize.h"
#include "editor/cairo/CairoCanvas.h"
#include "editor/cairo/CairoFaceSurfaces.h"
#include "tests/facecache/IdentitySurface.h"

namespace {

FacePixels pixelsOf(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  FacePixels pixels(size_t{kWindowWidth} * kWindowHeight);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int32_t y = 0; y < kWindowHeight; ++y)
    std::memcpy(&pixels[size_t(y) * kWindowWidth], data + ptrdiff_t(y) * stride,
                sizeof(uint32_t) * kWindowWidth);
  return pixels;
}

class CairoIdentitySurface : public IdentitySurface {
 public:
  FacePixels composed() const override {
    cairo_surface_t* frame = surfaces_.frameSurface();
    return frame == nullptr ? FacePixels{} : pixelsOf(frame);
  }
  FacePixels onePass(const FaceState& state) const override {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWindowWidth, kWindowHeight);
    {
      CairoCanvas canvas(surface, fonts_);
      paintEditor(canvas, state.values, state.skin, state.activeParam);
    }
    FacePixels pixels = pixelsOf(surface);
    cairo_surface_destroy(surface);
    return pixels;
  }
  size_t pixelBytes() const override { return surfaces_.pixelBytes(); }
  // Rows as cairo strides them, which may exceed the width.
  size_t pictureBytes() const override {
    return size_t(cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, kWindowWidth)) * kWindowHeight;
  }

 private:
  FaceSurfaces& beginPaint() override {
    surfaces_.beginPaint(fonts_);
    return surfaces_;
  }
  void endPaint() override { surfaces_.endPaint(); }
  void releaseSurfaces() override { surfaces_.release(); }

  CairoFonts fonts_;
  CairoFaceSurfaces surfaces_;
};

}  // namespace

std::unique_ptr<IdentitySurface> makeIdentitySurface() {
  return std::make_unique<CairoIdentitySurface>();
}
