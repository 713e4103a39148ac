// Pointer input from window systems that report raw button numbers, as X11 does, turned into
// what the editor's mouse handling understands: presses, double-clicks, drag moves, releases,
// wheel notches and the end of the pointer grab. No window system is touched here.
#pragma once

#include <cstdint>

// Receives the pointer in client coordinates, as the editor's handlers take it.
class PointerSink {
 public:
  virtual ~PointerSink() = default;
  virtual void press(int32_t x, int32_t y, bool shift) = 0;
  // The second press of a double-click, in place of a press.
  virtual void doubleClick(int32_t x, int32_t y) = 0;
  virtual void move(int32_t x, int32_t y, bool shift) = 0;
  virtual void release() = 0;
  // `delta` in wheel units: 120 a notch, positive away from the user.
  virtual void wheel(int32_t x, int32_t y, int32_t delta, bool shift) = 0;
  // Another grab took the pointer, or ours ended without a release.
  virtual void captureLost() = 0;
};

// Two presses of the main button make a double-click when the second comes within
// kDoubleClickMs of the first and within kDoubleClickSlop pixels of it in each direction.
constexpr uint32_t kDoubleClickMs = 400;
constexpr int32_t kDoubleClickSlop = 2;

// Button numbers as X11 gives them.
constexpr int32_t kMainButton = 1;
constexpr int32_t kWheelUpButton = 4;
constexpr int32_t kWheelDownButton = 5;
constexpr int32_t kWheelNotchDelta = 120;

// Decides which presses of the main button form double-clicks.
class DoubleClickTracker {
 public:
  // True when this press completes a double-click; the press after that starts afresh, as a
  // third quick press on Windows is a plain press again. `timeMs` may wrap around.
  bool pressed(int32_t x, int32_t y, uint32_t timeMs);
  // Any other button in between breaks the pair.
  void forget() { armed_ = false; }

 private:
  bool armed_ = false;
  int32_t x_ = 0;
  int32_t y_ = 0;
  uint32_t timeMs_ = 0;
};

// Feeds a PointerSink from raw button and motion reports.
class PointerTranslator {
 public:
  explicit PointerTranslator(PointerSink& sink) : sink_(sink) {}
  void buttonPressed(int32_t button, int32_t x, int32_t y, bool shift, uint32_t timeMs);
  void buttonReleased(int32_t button);
  void moved(int32_t x, int32_t y, bool shift);
  void grabEnded();

 private:
  PointerSink& sink_;
  DoubleClickTracker clicks_;
};
