// The face cache's surfaces on Linux: for the frame and for each appearance's backdrop an
// RGB24 cairo image surface of the window's size, made on first use and kept until the editor
// closes. The canvases drawing on them live for one paint, as the one-pass paint's canvas does.
#pragma once

#include <cairo.h>

#include <cstddef>
#include <optional>

#include "editor/FaceComposer.h"
#include "editor/cairo/CairoCanvas.h"

class CairoFaceSurfaces : public FaceSurfaces {
 public:
  CairoFaceSurfaces() = default;
  ~CairoFaceSurfaces();
  CairoFaceSurfaces(const CairoFaceSurfaces&) = delete;
  CairoFaceSurfaces& operator=(const CairoFaceSurfaces&) = delete;

  // For one paint: the canvases draw with `fonts`. endPaint ends the canvases and leaves every
  // surface's pixels complete for reading.
  void beginPaint(const CairoFonts& fonts);
  void endPaint();

  // The frame's surface, null before the frame is made.
  cairo_surface_t* frameSurface() const { return frame_.surface; }
  // Bytes of pixels the surfaces made so far hold.
  size_t pixelBytes() const;
  // Destroys every surface; they are made again on next use.
  void release();

  Canvas* backdrop(int32_t skin) override;
  Canvas* frame() override;
  void copyBackdropToFrame(int32_t skin, RectI area) override;

 private:
  struct Surface {
    cairo_surface_t* surface = nullptr;
    std::optional<CairoCanvas> canvas;
  };
  Canvas* ready(Surface& surface);
  static void endCanvas(Surface& surface);
  static void drop(Surface& surface);

  Surface frame_;
  Surface backdrops_[kNumSkins];
  const CairoFonts* fonts_ = nullptr;
};
