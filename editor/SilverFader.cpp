// Drawing of the Silver fader.
#include "editor/SilverFader.h"

#include "params/ParamTable.h"

namespace {

constexpr Argb kAccentOscillator = 0xFFA85732;
constexpr Argb kAccentOutput = 0xFFA63B2F;
constexpr Argb kAccentOther = 0xFF206270;

constexpr float kTravel = 80.0f;

// Scale: eleven ticks 8 px apart, every fifth one long, mirrored either side of the slot.
constexpr int32_t kTickCount = 11;
constexpr float kTickSpacing = 8.0f;
constexpr int32_t kLongTickEvery = 5;
constexpr Argb kTickColour = 0xFF4B5B65;
constexpr float kLongTickLength = 10.0f;
constexpr float kShortTickLength = 5.0f;
constexpr float kLongTickWidth = 1.3f;
constexpr float kShortTickWidth = 0.8f;
constexpr float kTickGap = 21.0f;  // from the centre line to the inner end of a tick

// Slot: a shaded left edge, a lit right edge and a dark channel between them, one pixel longer
// than the travel at each end.
constexpr Pen kSlotShadePen{0xFF697882, 1.4f};
constexpr Pen kSlotLightPen{0xFFF7FAFC, 1.4f};
constexpr float kSlotEdgeOffset = 4.0f;
constexpr float kSlotOverhang = 1.0f;
constexpr Argb kSlotColour = 0xFF1A2329;
constexpr int32_t kSlotHalfWidth = 3;
constexpr int32_t kSlotWidth = 6;
constexpr int32_t kSlotHeight = 82;

// Cap: 32 x 18 around the value's height, with a shadow offset down and right.
constexpr Argb kCapShadow = 0x5F0D1A22;
constexpr PointF kCapShadowOffset{-16.0f, -7.0f};
constexpr PointF kCapShadowSize{34.0f, 20.0f};
constexpr Argb kCapTop = 0xFFF6F8F9;
constexpr Argb kCapBottom = 0xFF93A3AE;
constexpr float kCapHalfWidth = 16.0f;
constexpr float kCapHalfHeight = 9.0f;
constexpr Pen kCapOutlinePen{0xFF586B78, 0.8f};
constexpr float kActiveOutlineWidth = 1.5f;

// Lines across the cap, by their offset from its centre.
constexpr Pen kCapTopLightPen{0xFFFFFFFF, 1.0f};
constexpr float kCapTopLightHalf = 14.0f;
constexpr float kCapTopLightY = -7.0f;
constexpr Pen kGripShadePen{0xFF617584, 0.7f};
constexpr Pen kGripLightPen{0xFFBFCDD6, 0.7f};
constexpr float kGripHalf = 13.0f;
constexpr float kGripShadeY = 5.0f;
constexpr float kGripLightY = -4.0f;
constexpr float kIndexLineWidth = 2.7f;
constexpr float kIndexLineHalf = 15.0f;

void horizontalLine(Canvas& canvas, const Pen& pen, float cx, float halfLength, float y) {
  canvas.drawLine(pen, {cx - halfLength, y}, {cx + halfLength, y});
}

void drawScale(Canvas& canvas, float cx, float top) {
  for (int32_t k = 0; k < kTickCount; ++k) {
    const bool isLong = k % kLongTickEvery == 0;
    const float length = isLong ? kLongTickLength : kShortTickLength;
    const Pen pen{kTickColour, isLong ? kLongTickWidth : kShortTickWidth};
    const float y = top + kTickSpacing * static_cast<float>(k);
    canvas.drawLine(pen, {cx - kTickGap - length, y}, {cx - kTickGap, y});
    canvas.drawLine(pen, {cx + kTickGap, y}, {cx + kTickGap + length, y});
  }
}

void drawSlot(Canvas& canvas, float cx, float top, float bottom) {
  canvas.drawLine(kSlotShadePen, {cx - kSlotEdgeOffset, top - kSlotOverhang},
                  {cx - kSlotEdgeOffset, bottom + kSlotOverhang});
  canvas.drawLine(kSlotLightPen, {cx + kSlotEdgeOffset, top - kSlotOverhang},
                  {cx + kSlotEdgeOffset, bottom + kSlotOverhang});
  // The channel is drawn on whole pixels.
  const auto slotLeft = static_cast<int32_t>(cx - static_cast<float>(kSlotHalfWidth));
  const auto slotTop = static_cast<int32_t>(top - kSlotOverhang);
  canvas.fillRectangleInt(Brush::solid(kSlotColour), slotLeft, slotTop, kSlotWidth, kSlotHeight);
}

}  // namespace

Argb accentColour(int32_t id) {
  switch (id) {
    case kSquare:
    case kTriangle:
    case kSine:
      return kAccentOscillator;
    case kOutput:
      return kAccentOutput;
    default:
      return kAccentOther;
  }
}

void drawSilverFaderTrack(Canvas& canvas, float cx, float top) {
  drawScale(canvas, cx, top);
  drawSlot(canvas, cx, top, top + kTravel);
}

void drawSilverFaderCap(Canvas& canvas, int32_t id, float cx, float top, double v, bool active) {
  const float bottom = top + kTravel;
  const float capY = bottom - kTravel * static_cast<float>(v);
  canvas.fillRectangle(Brush::solid(kCapShadow), cx + kCapShadowOffset.x, capY + kCapShadowOffset.y,
                       kCapShadowSize.x, kCapShadowSize.y);
  const float capLeft = cx - kCapHalfWidth;
  const float capTop = capY - kCapHalfHeight;
  canvas.fillRectangle(
      Brush::gradient({cx, capTop}, kCapTop, {cx, capY + kCapHalfHeight}, kCapBottom), capLeft,
      capTop, 2 * kCapHalfWidth, 2 * kCapHalfHeight);
  const Pen outline = active ? Pen{accentColour(id), kActiveOutlineWidth} : kCapOutlinePen;
  canvas.drawRectangle(outline, capLeft, capTop, 2 * kCapHalfWidth, 2 * kCapHalfHeight);

  horizontalLine(canvas, kCapTopLightPen, cx, kCapTopLightHalf, capY + kCapTopLightY);
  horizontalLine(canvas, kGripShadePen, cx, kGripHalf, capY + kGripShadeY);
  horizontalLine(canvas, kGripLightPen, cx, kGripHalf, capY + kGripLightY);
  horizontalLine(canvas, Pen{accentColour(id), kIndexLineWidth}, cx, kIndexLineHalf, capY);
}

void drawSilverFader(Canvas& canvas, int32_t id, float cx, float top, double v, bool active) {
  drawSilverFaderTrack(canvas, cx, top);
  drawSilverFaderCap(canvas, id, cx, top, v, active);
}
