// The scoped X error handler of the editor's connection.
#include "editor/x11/XErrorTrap.h"

#include <atomic>

namespace {

// The innermost trap of this thread: Xlib calls the handler on the thread that reads the
// connection, which is the thread that made the trapped calls.
thread_local XErrorTrap* tInnermost = nullptr;
// Where errors of other connections go: the handler found when the first trap went in.
std::atomic<XErrorHandler> gForeignHandler{nullptr};

}  // namespace

XErrorTrap::XErrorTrap(Display* display) : display_(display), outer_(tInnermost) {
  previous_ = XSetErrorHandler(&XErrorTrap::onError);
  if (previous_ != &XErrorTrap::onError) gForeignHandler.store(previous_);
  tInnermost = this;
}

XErrorTrap::~XErrorTrap() {
  if (display_ != nullptr) XSync(display_, False);
  tInnermost = outer_;
  // A nested trap leaves the handler to the one around it.
  if (previous_ != &XErrorTrap::onError) XSetErrorHandler(previous_);
}

bool XErrorTrap::failed() {
  if (display_ != nullptr) XSync(display_, False);
  return failed_;
}

void XErrorTrap::closeDisplay() {
  if (display_ == nullptr) return;
  XCloseDisplay(display_);
  display_ = nullptr;
}

int XErrorTrap::onError(Display* display, XErrorEvent* event) {
  for (XErrorTrap* trap = tInnermost; trap != nullptr; trap = trap->outer_) {
    if (trap->display_ == display) {
      trap->failed_ = true;
      return 0;
    }
  }
  const XErrorHandler foreign = gForeignHandler.load();
  return foreign != nullptr ? foreign(display, event) : 0;
}
