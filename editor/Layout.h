// The editor's geometry and value rules shared by the painters and the mouse handling:
// what is drawn where is what is hit there.
#pragma once

#include <cstdint>

#include "params/SkinId.h"

constexpr int32_t kWindowWidth = 860;
constexpr int32_t kWindowHeight = 530;

// The control grid: parameter i in column i mod 8 and row i div 8.
constexpr int32_t kGridColumns = 8;
constexpr int32_t kColumnPitch = 103;
constexpr int32_t kRowPitch = 150;
constexpr int32_t columnOf(int32_t id) {
  return id % kGridColumns;
}
constexpr int32_t rowOf(int32_t id) {
  return id / kGridColumns;
}

// An area whose bounds are all inclusive.
struct HitBox {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
  constexpr bool contains(int32_t x, int32_t y) const {
    return x >= left && x <= right && y >= top && y <= bottom;
  }
};

// A control's area in its grid cell, before the cell offset (103c, 150r) is added.
constexpr HitBox kKnobCellBox{30, 154, 123, 293};   // Original and Vintage
constexpr HitBox kFaderCellBox{41, 164, 105, 264};  // Silver

constexpr HitBox kSkinSegments[kNumSkins] = {
    {523, 42, 616, 69}, {621, 42, 714, 69}, {719, 42, 812, 69}};

// Five buttons 160 px apart; the 10-px gap right of a button belongs to it.
constexpr HitBox kProgramButtonRow{30, 105, 829, 133};
constexpr int32_t kProgramButtonPitch = 160;

constexpr HitBox kLegatoSwitchBox{658, 345, 727, 382};
constexpr int32_t kLegatoOnLeft = 694;  // presses from here rightwards mean On

// The Silver fader track: 80 px ending at 254 + 150r; a press farther than 10 px from the
// thumb jumps there.
constexpr int32_t kFaderTrackBottom = 254;
constexpr double kFaderTravel = 80.0;
constexpr double kFaderJumpDistance = 10.0;

// Drag sensitivity in normalized units per pixel; Shift makes it ten times finer.
constexpr double kKnobDragPerPixel = 0.005;
constexpr double kFaderDragPerPixel = 0.0125;
constexpr double kFineDragFactor = 0.1;

// Wheel: 120 units per notch; continuous rows step 0.025 per notch (0.0025 with Shift),
// stepped rows one step, the Legato switch from off to on.
constexpr double kWheelNotch = 120.0;
constexpr double kWheelStep = 0.025;
constexpr double kLegatoWheelStep = 1.0;
