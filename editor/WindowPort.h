// What the mouse handling needs of the editor's window: capture, repaint requests and
// coordinate conversion. Windows implements it over USER32; tests use a stand-in.
#pragma once

#include <cstdint>

class WindowPort {
 public:
  virtual ~WindowPort() = default;
  virtual void setCapture() = 0;
  // Releases the mouse capture when this window holds it.
  virtual void releaseCaptureIfHeld() = 0;
  // Asks for a repaint of the whole client area without erasing.
  virtual void invalidate() = 0;
  // True when the picture last put on the window shows the instance's present values,
  // appearance and drag: a refresh tick then has nothing to show. Windows that keep no
  // picture answer false and repaint on every tick.
  virtual bool showsCurrentFace() { return false; }
  virtual void screenToClient(int32_t& x, int32_t& y) = 0;
};
