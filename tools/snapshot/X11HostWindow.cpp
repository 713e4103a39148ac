// The stand-in host frame on X11 and the read-back of painted pixels.
#include "tools/snapshot/X11HostWindow.h"

#include <X11/Xutil.h>

X11HostWindow::X11HostWindow(Display* display, int32_t x, int32_t y, int32_t width, int32_t height)
    : display_(display) {
  const int screen = DefaultScreen(display_);
  window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), x, y,
                                static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                BlackPixel(display_, screen), BlackPixel(display_, screen));
  XStoreName(display_, window_, "Brisalonde host");
  XMapWindow(display_, window_);
  XSync(display_, False);
}

X11HostWindow::~X11HostWindow() {
  XDestroyWindow(display_, window_);
  XSync(display_, False);
}

std::vector<Window> X11HostWindow::children() const {
  XSync(display_, False);
  Window root = 0;
  Window parent = 0;
  Window* list = nullptr;
  unsigned count = 0;
  std::vector<Window> found;
  if (XQueryTree(display_, window_, &root, &parent, &list, &count) == 0) return found;
  found.assign(list, list + count);
  if (list != nullptr) XFree(list);
  return found;
}

bool captureX11Window(Display* display, Window window, Capture& out) {
  XSync(display, False);
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display, window, &attributes) == 0 ||
      attributes.map_state != IsViewable || attributes.depth != 24 ||
      attributes.visual->red_mask != 0xFF0000 || attributes.visual->green_mask != 0x00FF00 ||
      attributes.visual->blue_mask != 0x0000FF)
    return false;
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  out.width = attributes.width;
  out.height = attributes.height;
  out.pixels.resize(static_cast<size_t>(out.width) * out.height);
  for (int32_t y = 0; y < out.height; ++y)
    for (int32_t x = 0; x < out.width; ++x)
      out.pixels[static_cast<size_t>(y) * out.width + x] =
          static_cast<uint32_t>(XGetPixel(image, x, y)) & 0x00FFFFFF;
  XDestroyImage(image);
  return true;
}
