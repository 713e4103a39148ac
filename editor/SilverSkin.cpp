// The Silver appearance. For now a plain ground; the faceplate comes later.
#include "editor/Layout.h"
#include "editor/Painters.h"

namespace {

constexpr Argb kSilverGround = 0xFF1E272D;

}  // namespace

void paintSilverSkin(Canvas& canvas, const double[kNumParams], std::u16string_view, int32_t) {
  canvas.openShapes();
  canvas.fillRectangleInt(Brush::solid(kSilverGround), 0, 0, kWindowWidth, kWindowHeight);
  canvas.closeShapes();
}
