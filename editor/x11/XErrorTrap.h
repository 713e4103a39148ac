// Keeps X errors on the editor's own display connection from reaching the process's error
// handlers, whose defaults (and a GUI toolkit's) end the process: protocol errors, and the
// loss of the connection itself (the server gone, or the client killed). Installed around
// the editor's Xlib calls and removed after; errors on any other connection still go to the
// handlers that were there.
#pragma once

#include <X11/Xlib.h>

class XErrorTrap {
 public:
  explicit XErrorTrap(Display* display);
  // Waits for the server's answer to everything sent so far, then puts the previous handler
  // back. Errors arrive asynchronously: only after the round trip are all of ours counted.
  ~XErrorTrap();
  XErrorTrap(const XErrorTrap&) = delete;
  XErrorTrap& operator=(const XErrorTrap&) = delete;

  // True when any request sent on the display failed; makes the round trip first.
  bool failed();
  // Closes the connection while the trap still stands (closing flushes and may report errors).
  void closeDisplay();

 private:
  static int onError(Display* display, XErrorEvent* event);
  static int onConnectionError(Display* display);
  static bool trapping(Display* display);

  Display* display_;
  XErrorHandler previous_;
  XIOErrorHandler previousConnection_;
  XErrorTrap* outer_;
  bool failed_ = false;
};
