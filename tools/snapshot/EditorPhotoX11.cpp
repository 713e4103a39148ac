// The editor's picture on Linux: a top-level X11 window on the display that DISPLAY names,
// the host's idle calls every 40 ms as Linux hosts make them, and the editor's window read
// back. A held press is sent to the editor's window as a button event.
#include <X11/Xlib.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tools/snapshot/EditorPhoto.h"
#include "tools/snapshot/X11HostWindow.h"

namespace {

constexpr int kSettleMs = 300;
constexpr int kIdlePeriodMs = 40;

void idleFor(AEffect* effect, int milliseconds) {
  for (int elapsed = 0; elapsed < milliseconds; elapsed += kIdlePeriodMs) {
    effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
    std::this_thread::sleep_for(std::chrono::milliseconds(kIdlePeriodMs));
  }
  effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
}

void sendButton(Display* display, Window window, int type, const PressPoint& press) {
  XEvent event{};
  event.xbutton.type = type;
  event.xbutton.display = display;
  event.xbutton.window = window;
  event.xbutton.x = press.x;
  event.xbutton.y = press.y;
  event.xbutton.button = Button1;
  event.xbutton.time = CurrentTime;
  event.xbutton.same_screen = True;
  XSendEvent(display, window, False, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask,
             &event);
  XSync(display, False);
}

bool photograph(Display* display, AEffect* effect, const PressPoint& press, Capture& out,
                std::string& error) {
  X11HostWindow host(display, 0, 0, kWindowWidth, kWindowHeight);
  if (effect->dispatcher(effect, effEditOpen, 0, 0, host.handle(), 0.0f) != 1) {
    error = "the plug-in did not open its editor";
    return false;
  }
  const std::vector<Window> children = host.children();
  bool taken = false;
  if (children.size() == 1) {
    const Window editor = children.front();
    idleFor(effect, kSettleMs);
    if (press.held) {
      sendButton(display, editor, ButtonPress, press);
      idleFor(effect, kIdlePeriodMs);
      // A paint during the drag, as the next mouse move would cause.
      XClearArea(display, editor, 0, 0, 0, 0, True);
      XSync(display, False);
      idleFor(effect, kIdlePeriodMs);
    }
    taken = captureX11Window(display, editor, out);
    if (!taken) error = "cannot read back the picture";
    if (press.held) sendButton(display, editor, ButtonRelease, press);
  } else {
    error = "no editor window found";
  }
  effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
  return taken;
}

}  // namespace

bool photographEditor(AEffect* effect, const PressPoint& press, Capture& out, std::string& error) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    error = "cannot open the X display (is DISPLAY set?)";
    return false;
  }
  const bool taken = photograph(display, effect, press, out, error);
  XCloseDisplay(display);
  return taken;
}

std::string defaultPluginPath() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  std::string folder = length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
  const size_t slash = folder.find_last_of('/');
  folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
  return folder + "Brisalonde.so";
}
