// Raw pointer reports to editor input: double-click timing, wheel buttons as notches.
#include "editor/PointerInput.h"

#include <cstdlib>

bool DoubleClickTracker::pressed(int32_t x, int32_t y, uint32_t timeMs) {
  // Unsigned subtraction keeps the interval right across the wrap of a 32-bit clock.
  const bool second = armed_ && timeMs - timeMs_ <= kDoubleClickMs &&
                      std::abs(x - x_) <= kDoubleClickSlop && std::abs(y - y_) <= kDoubleClickSlop;
  armed_ = !second;
  x_ = x;
  y_ = y;
  timeMs_ = timeMs;
  return second;
}

void PointerTranslator::buttonPressed(int32_t button, int32_t x, int32_t y, bool shift,
                                      uint32_t timeMs) {
  switch (button) {
    case kMainButton:
      if (clicks_.pressed(x, y, timeMs))
        sink_.doubleClick(x, y);
      else
        sink_.press(x, y, shift);
      break;
    case kWheelUpButton:
      sink_.wheel(x, y, kWheelNotchDelta, shift);
      break;
    case kWheelDownButton:
      sink_.wheel(x, y, -kWheelNotchDelta, shift);
      break;
    default:
      // Middle, right, horizontal wheel and extra buttons do nothing in the editor.
      clicks_.forget();
      break;
  }
}

void PointerTranslator::buttonReleased(int32_t button) {
  if (button == kMainButton) sink_.release();
}

void PointerTranslator::moved(int32_t x, int32_t y, bool shift) {
  sink_.move(x, y, shift);
}

void PointerTranslator::grabEnded() {
  sink_.captureLost();
}
