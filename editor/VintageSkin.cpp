// The Vintage appearance. For now a plain ground; the faceplate comes later.
#include "editor/Layout.h"
#include "editor/Painters.h"

namespace {

constexpr Argb kVintageGround = 0xFF2C1A11;

}  // namespace

void paintVintageSkin(Canvas& canvas, const double[kNumParams], std::u16string_view, int32_t) {
  canvas.openShapes();
  canvas.fillRectangleInt(Brush::solid(kVintageGround), 0, 0, kWindowWidth, kWindowHeight);
  canvas.closeShapes();
}
