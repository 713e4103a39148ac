// Counts one kind of core request that the clients of the test's X display send, through the
// server's RECORD extension: what an editor sends to the screen, seen from outside it.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/record.h>

#include <cstdint>

class X11RequestCount {
 public:
  // Starts counting requests with core opcode `opcode` from every client of the display
  // named by DISPLAY. ok() is false when the server has no RECORD extension.
  explicit X11RequestCount(uint8_t opcode);
  ~X11RequestCount();
  X11RequestCount(const X11RequestCount&) = delete;
  X11RequestCount& operator=(const X11RequestCount&) = delete;

  bool ok() const { return context_ != 0; }
  // The requests the server has reported so far.
  int count();

 private:
  static void intercept(XPointer self, XRecordInterceptData* data);

  Display* control_ = nullptr;
  Display* data_ = nullptr;
  XRecordContext context_ = 0;
  int count_ = 0;
};
