// The scoped X error handler of the editor's connection.
#include "editor/x11/XErrorTrap.h"

#include <atomic>

namespace {

// The innermost trap of this thread: Xlib calls the handler on the thread that reads the
// connection, which is the thread that made the trapped calls.
thread_local XErrorTrap* tInnermost = nullptr;
// Where errors of other connections go: the handlers found when the first trap went in.
std::atomic<XErrorHandler> gForeignHandler{nullptr};
std::atomic<XIOErrorHandler> gForeignConnectionHandler{nullptr};

}  // namespace

XErrorTrap::XErrorTrap(Display* display) : display_(display), outer_(tInnermost) {
  previous_ = XSetErrorHandler(&XErrorTrap::onError);
  if (previous_ != &XErrorTrap::onError) gForeignHandler.store(previous_);
  previousConnection_ = XSetIOErrorHandler(&XErrorTrap::onConnectionError);
  if (previousConnection_ != &XErrorTrap::onConnectionError)
    gForeignConnectionHandler.store(previousConnection_);
  tInnermost = this;
}

XErrorTrap::~XErrorTrap() {
  if (display_ != nullptr) XSync(display_, False);
  tInnermost = outer_;
  // A nested trap leaves the handlers to the one around it.
  if (previous_ != &XErrorTrap::onError) XSetErrorHandler(previous_);
  if (previousConnection_ != &XErrorTrap::onConnectionError)
    XSetIOErrorHandler(previousConnection_);
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

bool XErrorTrap::trapping(Display* display) {
  for (XErrorTrap* trap = tInnermost; trap != nullptr; trap = trap->outer_) {
    if (trap->display_ == display) {
      trap->failed_ = true;
      return true;
    }
  }
  return false;
}

int XErrorTrap::onError(Display* display, XErrorEvent* event) {
  if (trapping(display)) return 0;
  const XErrorHandler foreign = gForeignHandler.load();
  return foreign != nullptr ? foreign(display, event) : 0;
}

// Returning lets Xlib go on to the connection's exit handler, which the editor's window sets
// so that a lost connection only ends the editor.
int XErrorTrap::onConnectionError(Display* display) {
  if (trapping(display)) return 0;
  const XIOErrorHandler foreign = gForeignConnectionHandler.load();
  return foreign != nullptr ? foreign(display) : 0;
}
