// What the editor scenarios need of a window system: open the real plug-in's editor in a host
// frame, give it mouse and keyboard input as a user would, let time pass, and read back what
// it shows. The Win32 window (under wine) and the X11 window (on Xvfb) each have a driver;
// the scenarios are written once against this.
#pragma once

#include <cstdint>
#include <memory>

#include "plugin/vst2.h"
#include "tools/snapshot/Capture.h"

class EditorDriver {
 public:
  virtual ~EditorDriver() = default;

  // effEditOpen in host frame `frame` (0, or 1 beside it); true when exactly one editor
  // window came up in that frame. Input goes to that frame's editor from then on.
  virtual bool open(AEffect* effect, int frame = 0) = 0;
  // effEditClose.
  virtual void close(AEffect* effect) = 0;
  // The host is about to free the instance: its editor is served no longer.
  virtual void forget(AEffect* effect) = 0;
  // How many editor windows the frame holds now.
  virtual int editorWindows(int frame = 0) = 0;
  // Sends the input that follows to the editor in `frame`.
  virtual void useFrame(int frame) = 0;

  // Mouse input at client coordinates of the editor (outside it too); each call returns once
  // the editor has handled it. The left button drags, so moves carry it while it is pressed.
  virtual void moveTo(int32_t x, int32_t y) = 0;
  virtual void press(int32_t x, int32_t y) = 0;
  virtual void release() = 0;  // where the pointer is
  virtual void doubleClick(int32_t x, int32_t y) = 0;
  virtual void wheel(int32_t x, int32_t y, int notches) = 0;  // positive: away from the user
  virtual void holdShift(bool down) = 0;
  // The right and middle buttons, and any other the window system has, where the pointer is.
  virtual void otherButtons() = 0;
  // Whether the editor holds the pointer (a drag's capture or grab).
  virtual bool editorHoldsPointer() = 0;

  // Lets this much time pass with the editor served as a host serves it.
  virtual void pause(int milliseconds) = 0;
  // Waits for the editor's refresh tick to have shown a change the host made: one tick
  // period and the host's next call that serves the editor.
  virtual void awaitRefresh() = 0;
  // What the editor in `frame` shows now (860 x 530 pixels, checked).
  virtual Capture picture(int frame = 0) = 0;
};

// The driver of the window system this test program runs on.
std::unique_ptr<EditorDriver> makeEditorDriver();
