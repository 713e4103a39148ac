// Drawing of one screw head.
#include "editor/Screw.h"

namespace {

constexpr Argb kScrewShadow = 0x78000000;
constexpr Argb kScrewSlot = 0xFF171715;
constexpr float kScrewSlotWidth = 1.4f;

}  // namespace

void drawScrew(ShapeCanvas& canvas, int32_t x, int32_t y, ScrewColours colours) {
  canvas.fillPixelEllipse(Brush::solid(kScrewShadow), x - 5, y - 4, 11, 11);
  canvas.fillPixelEllipse(
      Brush::gradientInt(x - 4, y - 4, colours.light, x + 4, y + 4, colours.dark), x - 4, y - 4, 8,
      8);
  const float fx = static_cast<float>(x);
  const float fy = static_cast<float>(y);
  canvas.strokeLine(Pen{kScrewSlot, kScrewSlotWidth}, PointF{fx - 2, fy + 1},
                    PointF{fx + 2, fy - 1});
}
