// A test host for the Linux editor: the real .so's instances opened in host frames on the X
// display the tests run on, input made by the X server itself (XTest) so that it reaches the
// editor's own connection as a user's would, the host's idle call every 40 ms, and the
// editor's pixels read back.
#pragma once

// GoogleTest before Xlib, whose macros (None, Bool, ...) would break its templates.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <memory>
#include <vector>

#include "editor/WindowSize.h"
#include "tests/host/TestHost.h"
#include "tools/snapshot/X11HostWindow.h"

// The host frame's place on the screen: client and screen coordinates differ, and there is
// room above and left of the editor to drag into.
constexpr int32_t kHostX = 100;
constexpr int32_t kHostY = 80;
constexpr int32_t kIdlePeriodMs = 40;

class X11Session {
 public:
  // Connects to the display and makes the host frame; false, with a test failure, when there
  // is no display or it lacks XTest.
  bool start();
  // Puts the pointer and keyboard back and disconnects. The instances are gone by now.
  void stop();

  // effEditOpen with the frame's id; the editor's window, or 0 when none appeared.
  Window open(AEffect* effect, const X11HostWindow& frame);
  Window open(TestPlugin& plugin, const X11HostWindow& frame) {
    return open(plugin.effect(), frame);
  }
  void close(AEffect* effect);
  void close(TestPlugin& plugin) { close(plugin.effect()); }
  // Stops the idle calls to an instance that the host is about to free.
  void forget(AEffect* effect);
  // The host's idle calls to every open editor: one now, or every 40 ms for a while.
  void idle();
  void idleFor(int milliseconds);

  // Input through the X server at client coordinates of the editor at (originX_, originY_) on
  // the screen; each action ends with the editor having read it.
  void moveTo(int32_t x, int32_t y);
  void press(int32_t x, int32_t y);
  void release();
  void click(int32_t x, int32_t y);
  void doubleClick(int32_t x, int32_t y);
  void wheel(int32_t x, int32_t y, int notches);  // positive: away from the user
  void pressButton(unsigned button);
  void holdShift(bool down);

  // What the window shows now.
  Capture picture(Window window);

  Display* display_ = nullptr;
  std::unique_ptr<X11HostWindow> host_;
  int32_t originX_ = kHostX;
  int32_t originY_ = kHostY;

 private:
  void fake(bool sync = true);
  std::vector<AEffect*> open_;
  bool shiftHeld_ = false;
  bool buttonHeld_ = false;
};
