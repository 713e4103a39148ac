// What the face-identity walk needs of a drawing layer: the editor's cached surfaces to
// compose a face on, and a fresh back buffer to paint the same face in one pass. Each layer
// (GDI and GDI+ under wine, cairo on Linux) gives one, and its test program runs the same
// walk over it.
#pragma once

#include <cstddef>
#include <memory>

#include "editor/FaceComposer.h"
#include "tests/facecache/FacePixels.h"
#include "tests/facecache/FaceWalk.h"

class IdentitySurface {
 public:
  virtual ~IdentitySurface() = default;

  // Composes `state` from the cache on the cached surfaces; false when nothing could be made.
  bool compose(const FaceState& state);
  // Frees every cached surface and forgets the cache: the next composition starts afresh.
  void release();

  // The frame the last composition left, or empty before there is one.
  virtual FacePixels composed() const = 0;
  // `state` painted in one pass on a new back buffer, as the window did before it cached.
  virtual FacePixels onePass(const FaceState& state) const = 0;
  // Bytes of pixels the cached surfaces hold, and what one whole picture takes.
  virtual size_t pixelBytes() const = 0;
  virtual size_t pictureBytes() const = 0;

 private:
  // The layer's cached surfaces, ready for one paint between begin and end.
  virtual FaceSurfaces& beginPaint() = 0;
  virtual void endPaint() = 0;
  virtual void releaseSurfaces() = 0;

  FaceCache cache_;
};

// The surface of the layer this program draws with.
std::unique_ptr<IdentitySurface> makeIdentitySurface();
