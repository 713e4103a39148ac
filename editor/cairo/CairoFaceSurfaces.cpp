// Image surfaces for the cached backdrops and the composed frame.
#include "editor/cairo/CairoFaceSurfaces.h"

#include "editor/Layout.h"

CairoFaceSurfaces::~CairoFaceSurfaces() {
  release();
}

void CairoFaceSurfaces::beginPaint(const CairoFonts& fonts) {
  fonts_ = &fonts;
}

void CairoFaceSurfaces::endPaint() {
  endCanvas(frame_);
  for (Surface& backdrop : backdrops_)
    endCanvas(backdrop);
  fonts_ = nullptr;
}

Canvas* CairoFaceSurfaces::ready(Surface& surface) {
  if (surface.canvas) return &*surface.canvas;
  if (fonts_ == nullptr) return nullptr;
  if (surface.surface == nullptr) {
    // A new image surface is black, as the back buffer of the one-pass paint starts out.
    surface.surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWindowWidth, kWindowHeight);
    if (cairo_surface_status(surface.surface) != CAIRO_STATUS_SUCCESS) {
      drop(surface);
      return nullptr;
    }
  }
  surface.canvas.emplace(surface.surface, *fonts_);
  return &*surface.canvas;
}

Canvas* CairoFaceSurfaces::backdrop(int32_t skin) {
  if (skin < 0 || skin >= kNumSkins) return nullptr;
  return ready(backdrops_[skin]);
}

Canvas* CairoFaceSurfaces::frame() {
  return ready(frame_);
}

void CairoFaceSurfaces::copyBackdropToFrame(int32_t skin, RectI area) {
  if (skin < 0 || skin >= kNumSkins) return;
  cairo_surface_t* backdrop = backdrops_[skin].surface;
  if (backdrop == nullptr || frame_.surface == nullptr) return;
  cairo_surface_flush(backdrop);
  // Whole pixels replaced as they are: no blending, no filtering at integer positions.
  cairo_t* cr = cairo_create(frame_.surface);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, backdrop, 0, 0);
  cairo_rectangle(cr, area.left, area.top, area.right - area.left, area.bottom - area.top);
  cairo_fill(cr);
  cairo_destroy(cr);
}

size_t CairoFaceSurfaces::pixelBytes() const {
  size_t bytes = 0;
  auto add = [&bytes](const Surface& surface) {
    if (surface.surface == nullptr) return;
    bytes += static_cast<size_t>(cairo_image_surface_get_stride(surface.surface)) *
             static_cast<size_t>(cairo_image_surface_get_height(surface.surface));
  };
  add(frame_);
  for (const Surface& backdrop : backdrops_)
    add(backdrop);
  return bytes;
}

void CairoFaceSurfaces::endCanvas(Surface& surface) {
  surface.canvas.reset();
  if (surface.surface != nullptr) cairo_surface_flush(surface.surface);
}

void CairoFaceSurfaces::drop(Surface& surface) {
  surface.canvas.reset();
  if (surface.surface != nullptr) cairo_surface_destroy(surface.surface);
  surface.surface = nullptr;
}

void CairoFaceSurfaces::release() {
  drop(frame_);
  for (Surface& backdrop : backdrops_)
    drop(backdrop);
  fonts_ = nullptr;
}
