// What every layer's identity surface does alike.
#include "tests/facecache/IdentitySurface.h"

bool IdentitySurface::compose(const FaceState& state) {
  FaceSurfaces& surfaces = beginPaint();
  const bool composed = composeFace(cache_, surfaces, state.values, state.skin, state.activeParam);
  endPaint();
  return composed;
}

void IdentitySurface::release() {
  releaseSurfaces();
  cache_ = FaceCache{};
}
