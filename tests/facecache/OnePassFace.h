// The editor face painted in one pass through the real GDI and GDI+ layer, as the window did
// before it kept a cache: the reference the cached pictures are compared with. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>

#include "editor/win32/GdiCanvas.h"
#include "tests/facecache/FacePixels.h"
#include "tests/facecache/FaceWalk.h"

class OnePassFace {
 public:
  // Starts GDI+ and makes the editor's fonts and brush.
  OnePassFace();
  ~OnePassFace();
  OnePassFace(const OnePassFace&) = delete;
  OnePassFace& operator=(const OnePassFace&) = delete;

  // The face of `state` painted in one pass on a new bitmap compatible with the screen.
  FacePixels paint(const FaceState& state) const;

  const GdiResources& resources() const { return resources_; }
  HDC screen() const { return screen_; }

 private:
  ULONG_PTR gdiplusToken_ = 0;
  GdiResources resources_{};
  HDC screen_ = nullptr;
};

// The picture of the bitmap selected into `dc`.
FacePixels readFacePixels(HDC dc);

// The red, green and blue of each pixel, as a window shows them.
FacePixels colourOnly(FacePixels pixels);
