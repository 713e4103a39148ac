// The face cache's surfaces on Windows: for the frame and for each appearance's backdrop a
// memory device context holding a bitmap compatible with the window, made on first use and
// kept until the editor closes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

#include "editor/FaceComposer.h"
#include "editor/win32/GdiCanvas.h"

class GdiFaceSurfaces : public FaceSurfaces {
 public:
  GdiFaceSurfaces() = default;
  ~GdiFaceSurfaces();
  GdiFaceSurfaces(const GdiFaceSurfaces&) = delete;
  GdiFaceSurfaces& operator=(const GdiFaceSurfaces&) = delete;

  // For one paint: new bitmaps are made compatible with `reference`, and the canvases draw
  // with the editor's fonts and brush. `reference` is forgotten at endPaint.
  void beginPaint(HDC reference, const GdiResources& resources);
  void endPaint();

  // The frame's device context, null before the frame is made.
  HDC frameDc() const { return frame_.dc; }
  // Bytes of pixels the bitmaps made so far hold.
  size_t pixelBytes() const;
  // Deletes every bitmap and device context; the surfaces are made again on next use.
  void release();

  Canvas* backdrop(int32_t skin) override;
  Canvas* frame() override;
  void copyBackdropToFrame(int32_t skin, RectI area) override;

 private:
  struct Surface {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ keptBitmap = nullptr;
    std::optional<GdiCanvas> canvas;
  };
  Canvas* ready(Surface& surface);
  static size_t pixelBytesOf(const Surface& surface);
  static void drop(Surface& surface);

  Surface frame_;
  Surface backdrops_[kNumSkins];
  HDC reference_ = nullptr;
  const GdiResources* resources_ = nullptr;
};
