// The editor on Linux: opening and closing for the plug-in, the host's idle call that serves
// the window, and the bridge from the X11 window to the shared mouse handling and painters.
// Xlib itself is X11Window's business; nothing here speaks it.
#include <new>

#include "editor/EditorHost.h"
#include "editor/EditorLink.h"
#include "editor/EditorWindow.h"
#include "editor/Interaction.h"
#include "editor/Layout.h"
#include "editor/Painters.h"
#include "editor/WindowPort.h"
#include "editor/cairo/CairoCanvas.h"
#include "editor/cairo/CairoFonts.h"
#include "editor/x11/X11Window.h"

namespace {

// Capture and repaint requests of the shared mouse handling, carried out by the X11 window.
class X11WindowPort : public WindowPort {
 public:
  void attach(X11Window* window) { window_ = window; }
  // A press already holds the pointer: X grabs it for the pressed window until the release.
  void setCapture() override { captured_ = true; }
  void releaseCaptureIfHeld() override {
    if (!captured_) return;
    captured_ = false;
    if (window_ != nullptr) window_->releaseGrab();
  }
  void invalidate() override {
    if (window_ != nullptr) window_->invalidate();
  }
  // The window reports the wheel in client coordinates already.
  void screenToClient(int32_t&, int32_t&) override {}

 private:
  X11Window* window_ = nullptr;
  bool captured_ = false;
};

// The open editor on Linux: the shared record, then the fonts made once per open, the window
// and what its events reach.
struct X11EditorWindow final : EditorWindow, X11WindowClient {
  CairoFonts fonts;
  X11Window* window = nullptr;
  X11WindowPort port;

  void press(int32_t x, int32_t y, bool shift) override { onButtonDown(*this, port, x, y, shift); }
  void doubleClick(int32_t x, int32_t y) override { onDoubleClick(*this, port, x, y); }
  void move(int32_t, int32_t y, bool shift) override { onMouseMove(*this, port, y, shift); }
  void release() override { onButtonUp(*this, port); }
  void wheel(int32_t x, int32_t y, int32_t delta, bool shift) override {
    onWheel(*this, port, x, y, delta, shift);
  }
  void captureLost() override { onCaptureChanged(*this); }
  void tick() override { onTimer(*this, port); }
  void paint(cairo_surface_t* backBuffer) override;
};

// The whole face is composed in the back buffer, in the order and from one reading of the
// values and the appearance, as on Windows; the window then shows it in one transfer.
void X11EditorWindow::paint(cairo_surface_t* backBuffer) {
  double values[kNumParams];
  for (int32_t id = 0; id < kNumParams; ++id)
    values[id] = owner->value(id);
  const int32_t skin = owner->skin();
  CairoCanvas canvas(backBuffer, fonts);
  paintEditor(canvas, values, skin, activeParam);
}

}  // namespace

int openEditor(EditorWindow*& slot, EditorLink& owner, void* parentWindow) {
  if (parentWindow == nullptr) return 0;
  closeEditor(slot);
  auto* editor = new (std::nothrow) X11EditorWindow{};
  if (editor == nullptr) return 0;
  editor->owner = &owner;
  editor->activeParam = -1;
  editor->dragAnchorY = 0;
  editor->dragAnchorValue = 0.0;
  editor->window = X11Window::open(reinterpret_cast<uintptr_t>(parentWindow), kWindowWidth,
                                   kWindowHeight, *editor);
  if (editor->window == nullptr) {
    delete editor;
    return 0;
  }
  editor->port.attach(editor->window);
  slot = editor;
  return 1;
}

void closeEditor(EditorWindow*& slot) {
  auto* editor = static_cast<X11EditorWindow*>(slot);
  if (editor == nullptr) return;
  // The host hears the end of a drag before the window goes.
  endDragOnClose(*editor, editor->port);
  delete editor->window;
  delete editor;
  slot = nullptr;
}

void idleEditor(EditorWindow* slot) {
  if (slot != nullptr) static_cast<X11EditorWindow*>(slot)->window->idle();
}
