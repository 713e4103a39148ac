// Memory bitmaps for the cached backdrops and the composed frame.
#include "editor/win32/GdiFaceSurfaces.h"

#include "editor/Layout.h"

GdiFaceSurfaces::~GdiFaceSurfaces() {
  release();
}

void GdiFaceSurfaces::beginPaint(HDC reference, const GdiResources& resources) {
  reference_ = reference;
  resources_ = &resources;
}

void GdiFaceSurfaces::endPaint() {
  reference_ = nullptr;
}

Canvas* GdiFaceSurfaces::ready(Surface& surface) {
  if (surface.canvas) return &*surface.canvas;
  if (reference_ == nullptr || resources_ == nullptr) return nullptr;
  surface.dc = CreateCompatibleDC(reference_);
  surface.bitmap = CreateCompatibleBitmap(reference_, kWindowWidth, kWindowHeight);
  if (surface.dc == nullptr || surface.bitmap == nullptr) {
    drop(surface);
    return nullptr;
  }
  surface.keptBitmap = SelectObject(surface.dc, surface.bitmap);
  // The one-pass paint draws on a new bitmap, which is black: a surface starts out the same.
  PatBlt(surface.dc, 0, 0, kWindowWidth, kWindowHeight, BLACKNESS);
  surface.canvas.emplace(surface.dc, *resources_);
  return &*surface.canvas;
}

Canvas* GdiFaceSurfaces::backdrop(int32_t skin) {
  if (skin < 0 || skin >= kNumSkins) return nullptr;
  return ready(backdrops_[skin]);
}

Canvas* GdiFaceSurfaces::frame() {
  return ready(frame_);
}

void GdiFaceSurfaces::copyBackdropToFrame(int32_t skin, RectI area) {
  if (skin < 0 || skin >= kNumSkins) return;
  const Surface& backdrop = backdrops_[skin];
  if (backdrop.dc == nullptr || frame_.dc == nullptr) return;
  BitBlt(frame_.dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
         backdrop.dc, area.left, area.top, SRCCOPY);
}

size_t GdiFaceSurfaces::pixelBytesOf(const Surface& surface) {
  BITMAP info{};
  if (surface.bitmap == nullptr || GetObjectW(surface.bitmap, sizeof info, &info) == 0) return 0;
  return static_cast<size_t>(info.bmWidthBytes) * static_cast<size_t>(info.bmHeight);
}

size_t GdiFaceSurfaces::pixelBytes() const {
  size_t bytes = pixelBytesOf(frame_);
  for (const Surface& backdrop : backdrops_)
    bytes += pixelBytesOf(backdrop);
  return bytes;
}

void GdiFaceSurfaces::drop(Surface& surface) {
  surface.canvas.reset();
  if (surface.dc != nullptr && surface.keptBitmap != nullptr)
    SelectObject(surface.dc, surface.keptBitmap);
  if (surface.bitmap != nullptr) DeleteObject(surface.bitmap);
  if (surface.dc != nullptr) DeleteDC(surface.dc);
  surface.dc = nullptr;
  surface.bitmap = nullptr;
  surface.keptBitmap = nullptr;
}

void GdiFaceSurfaces::release() {
  drop(frame_);
  for (Surface& backdrop : backdrops_)
    drop(backdrop);
}
