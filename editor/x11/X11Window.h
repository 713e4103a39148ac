// A child window on an X11 display that shows one picture of fixed size and reports the
// pointer. It knows nothing of the plug-in or its format: it takes a parent window id, is
// driven by the host's periodic idle call, and talks to its owner through X11WindowClient.
// It opens its own display connection and starts no thread.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>

#include <cstdint>

#include "editor/PointerInput.h"
#include "editor/RefreshClock.h"

class X11WindowClient : public PointerSink {
 public:
  // The refresh tick, at most every 100 ms, from an idle call.
  virtual void tick() = 0;
  // Brings the whole picture up to date and returns the image surface that holds it: RGB24,
  // of the window's size, owned by the client and complete (flushed). Null: nothing to show.
  virtual cairo_surface_t* paint() = 0;
};

class X11Window {
 public:
  // Opens the display named by DISPLAY and a width x height child of `parent` on it, mapped
  // at (0, 0). Null when there is no display, `parent` is no window, or anything fails; then
  // nothing is left behind. Never throws.
  static X11Window* open(uintptr_t parent, int32_t width, int32_t height, X11WindowClient& client);
  // Destroys the window and closes the connection.
  ~X11Window();
  X11Window(const X11Window&) = delete;
  X11Window& operator=(const X11Window&) = delete;

  // One idle call: reads every pending event and reports it, runs the tick when due, and
  // paints when something asked for it.
  void idle();
  // Asks for a paint of the whole window at the end of this idle call (or the next).
  void invalidate() { paintPending_ = true; }
  // Lets go of the pointer grab a press gave the window, if it still holds it.
  void releaseGrab() { ungrabPending_ = true; }

  Window id() const { return window_; }
  // The display connection's file descriptor, readable when events arrive.
  int connectionFd() const { return ConnectionNumber(display_); }

 private:
  X11Window(Display* display, X11WindowClient& client, int32_t width, int32_t height);
  bool create(Window parent);
  void report(const XEvent& event);
  void paintAndShow();
  void show(cairo_surface_t* picture);
  void release();
  static void onConnectionLost(Display* display, void* window);

  Display* display_;
  X11WindowClient& client_;
  PointerTranslator pointer_;
  RefreshClock clock_;
  int32_t width_;
  int32_t height_;
  Window window_ = 0;
  Colormap colormap_ = 0;  // made only when the window's visual is not the screen's default
  GC gc_ = nullptr;
  Visual* visual_ = nullptr;
  bool paintPending_ = true;
  bool ungrabPending_ = false;
  bool connectionLost_ = false;  // the window went with the connection; nothing more to do
};
