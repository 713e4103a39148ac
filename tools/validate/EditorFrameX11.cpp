// The editor frame on Linux: an X11 window on the display that DISPLAY names.
#include <X11/Xlib.h>

#include <chrono>
#include <thread>

#include "tools/validate/EditorFrame.h"

namespace {

class X11Frame : public EditorFrame {
 public:
  X11Frame(Display* display, int width, int height) : display_(display) {
    const int screen = DefaultScreen(display_);
    window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), 0, 0,
                                  static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                  BlackPixel(display_, screen), BlackPixel(display_, screen));
    XMapWindow(display_, window_);
    XSync(display_, False);
  }
  ~X11Frame() override {
    XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
  }
  void* handle() const override { return reinterpret_cast<void*>(window_); }
  int childCount() override {
    XSync(display_, False);
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display_, window_, &root, &parent, &children, &count) == 0) return 0;
    if (children != nullptr) XFree(children);
    return static_cast<int>(count);
  }
  void pump(int milliseconds) override {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
      while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < end);
  }

 private:
  Display* display_;
  Window window_ = 0;
};

}  // namespace

std::unique_ptr<EditorFrame> EditorFrame::create(int width, int height, std::string& why) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    why = "no X display to open editors on";
    return nullptr;
  }
  return std::make_unique<X11Frame>(display, width, height);
}
