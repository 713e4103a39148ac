// A top-level X11 window standing in for a Linux host's editor frame, and reading back what a
// child window painted. Linux only.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

#include "tools/snapshot/Capture.h"

// A mapped top-level window at a given place on the screen. With no window manager running
// (as on Xvfb) its client area starts exactly there.
class X11HostWindow {
 public:
  X11HostWindow(Display* display, int32_t x, int32_t y, int32_t width, int32_t height);
  ~X11HostWindow();
  X11HostWindow(const X11HostWindow&) = delete;
  X11HostWindow& operator=(const X11HostWindow&) = delete;

  // What the host hands to effEditOpen.
  void* handle() const { return reinterpret_cast<void*>(window_); }
  Window window() const { return window_; }
  // The windows directly inside the frame: the editor's, once it is open.
  std::vector<Window> children() const;

 private:
  Display* display_;
  Window window_ = 0;
};

// Copies what `window` shows now. False when it cannot be read (unmapped, gone, or not a
// 24-bit true-colour window).
bool captureX11Window(Display* display, Window window, Capture& out);
