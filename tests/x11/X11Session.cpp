// The Linux editor's test host.
#include "tests/x11/X11Session.h"

// After the session's header, which brings GoogleTest in before Xlib.
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

void sleepMs(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

bool X11Session::start() {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) {
    ADD_FAILURE() << "no X display: run the test under tests/x11/on-xvfb.sh";
    return false;
  }
  int event = 0, error = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) {
    ADD_FAILURE() << "the X server lacks XTest";
    return false;
  }
  host_ = std::make_unique<X11HostWindow>(display_, kHostX, kHostY, kWindowWidth, kWindowHeight);
  testhost::calls().clear();
  return true;
}

void X11Session::stop() {
  // The plug-ins are gone by now; only the pointer and keyboard are put back for the next test.
  open_.clear();
  if (display_ == nullptr) return;
  if (buttonHeld_) XTestFakeButtonEvent(display_, 1, False, CurrentTime);
  if (shiftHeld_)
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XK_Shift_L), False, CurrentTime);
  host_.reset();
  XCloseDisplay(display_);
  display_ = nullptr;
}

Window X11Session::open(AEffect* effect, const X11HostWindow& frame) {
  if (effect->dispatcher(effect, effEditOpen, 0, 0, frame.handle(), 0.0f) != 1) return 0;
  if (std::find(open_.begin(), open_.end(), effect) == open_.end()) open_.push_back(effect);
  idle();
  const std::vector<Window> children = frame.children();
  return children.size() == 1 ? children.front() : 0;
}

void X11Session::close(AEffect* effect) {
  effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
  forget(effect);
}

void X11Session::forget(AEffect* effect) {
  open_.erase(std::remove(open_.begin(), open_.end(), effect), open_.end());
}

void X11Session::idle() {
  for (AEffect* effect : open_)
    effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
}

void X11Session::idleFor(int milliseconds) {
  for (int elapsed = 0; elapsed < milliseconds; elapsed += kIdlePeriodMs) {
    sleepMs(kIdlePeriodMs);
    idle();
  }
}

// The server has made the events once the round trip returns; the editor's connection reads
// them at its next idle calls.
void X11Session::fake(bool sync) {
  if (sync) XSync(display_, False);
  idle();
  sleepMs(5);
  idle();
}

void X11Session::moveTo(int32_t x, int32_t y) {
  XTestFakeMotionEvent(display_, DefaultScreen(display_), originX_ + x, originY_ + y, CurrentTime);
  fake();
}

void X11Session::pressButton(unsigned button) {
  XTestFakeButtonEvent(display_, button, True, CurrentTime);
  XTestFakeButtonEvent(display_, button, False, CurrentTime);
  fake();
}

void X11Session::press(int32_t x, int32_t y) {
  moveTo(x, y);
  XTestFakeButtonEvent(display_, 1, True, CurrentTime);
  buttonHeld_ = true;
  fake();
}

void X11Session::release() {
  XTestFakeButtonEvent(display_, 1, False, CurrentTime);
  buttonHeld_ = false;
  fake();
}

void X11Session::click(int32_t x, int32_t y) {
  press(x, y);
  release();
}

void X11Session::doubleClick(int32_t x, int32_t y) {
  moveTo(x, y);
  for (int i = 0; i < 2; ++i) {
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
  }
  fake();
}

void X11Session::wheel(int32_t x, int32_t y, int notches) {
  moveTo(x, y);
  const unsigned button = notches > 0 ? 4 : 5;
  for (int i = 0; i < std::abs(notches); ++i) {
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
  }
  fake();
}

void X11Session::holdShift(bool down) {
  const KeyCode shift = XKeysymToKeycode(display_, XK_Shift_L);
  XTestFakeKeyEvent(display_, shift, down ? True : False, CurrentTime);
  shiftHeld_ = down;
  fake();
}

Capture X11Session::picture(Window window) {
  Capture capture;
  EXPECT_TRUE(captureX11Window(display_, window, capture));
  EXPECT_EQ(capture.width, kWindowWidth);
  EXPECT_EQ(capture.height, kWindowHeight);
  return capture;
}
