// The editor on Linux: opening and closing for the plug-in, the host's idle call that serves
// the window, and the bridge from the X11 window to the shared mouse handling and painters,
// which run only for what changed since the cached frame was last composed. Xlib itself is
// X11Window's business; nothing here speaks it.
#include <new>

#include "editor/EditorHost.h"
#include "editor/EditorLink.h"
#include "editor/EditorWindow.h"
#include "editor/FaceComposer.h"
#include "editor/Interaction.h"
#include "editor/Layout.h"
#include "editor/PaintEditor.h"
#include "editor/WindowPort.h"
#include "editor/cairo/CairoCanvas.h"
#include "editor/cairo/CairoFaceSurfaces.h"
#include "editor/cairo/CairoFonts.h"
#include "editor/x11/X11Window.h"

namespace {

// Capture and repaint requests of the shared mouse handling, carried out by the X11 window.
class X11WindowPort : public WindowPort {
 public:
  X11WindowPort(const EditorWindow& editor, const FaceCache& cache)
      : editor_(editor), cache_(cache) {}
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
  // Every paint puts the frame on the window, so the frame is what the window shows.
  bool showsCurrentFace() override { return frameShowsEditor(cache_, editor_); }

 private:
  const EditorWindow& editor_;
  const FaceCache& cache_;
  X11Window* window_ = nullptr;
  bool captured_ = false;
};

// The open editor on Linux: the shared record, then the fonts made once per open, the window
// and what its events reach, and the cached face.
struct X11EditorWindow final : EditorWindow, X11WindowClient {
  ~X11EditorWindow();

  CairoFonts fonts;
  X11Window* window = nullptr;
  CairoFaceSurfaces surfaces;  // made at the first paint that needs them, freed at close
  FaceCache faceCache;
  X11WindowPort port{*this, faceCache};
  cairo_surface_t* onePassBuffer = nullptr;  // made only when the cache cannot serve

  void press(int32_t x, int32_t y, bool shift) override { onButtonDown(*this, port, x, y, shift); }
  void doubleClick(int32_t x, int32_t y) override { onDoubleClick(*this, port, x, y); }
  void move(int32_t, int32_t y, bool shift) override { onMouseMove(*this, port, y, shift); }
  void release() override { onButtonUp(*this, port); }
  void wheel(int32_t x, int32_t y, int32_t delta, bool shift) override {
    onWheel(*this, port, x, y, delta, shift);
  }
  void captureLost() override { onCaptureChanged(*this); }
  void tick() override { onTimer(*this, port); }
  cairo_surface_t* paint() override;
  cairo_surface_t* paintInOnePass(const double values[kNumParams], int32_t skin);
};

X11EditorWindow::~X11EditorWindow() {
  if (onePassBuffer != nullptr) cairo_surface_destroy(onePassBuffer);
}

// When the cache cannot serve (a surface could not be made, or the skin is none of the
// three): the whole face is drawn into a back buffer of its own.
cairo_surface_t* X11EditorWindow::paintInOnePass(const double values[kNumParams], int32_t skin) {
  if (onePassBuffer == nullptr) {
    onePassBuffer = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWindowWidth, kWindowHeight);
    if (cairo_surface_status(onePassBuffer) != CAIRO_STATUS_SUCCESS) {
      cairo_surface_destroy(onePassBuffer);
      onePassBuffer = nullptr;
      return nullptr;
    }
  }
  {
    CairoCanvas canvas(onePassBuffer, fonts);
    paintEditor(canvas, values, skin, activeParam);
  }
  cairo_surface_flush(onePassBuffer);
  return onePassBuffer;
}

// Every paint shows the whole face, from one reading of the values and the appearance, as on
// Windows; the painters run only for what changed since the frame was last composed.
cairo_surface_t* X11EditorWindow::paint() {
  double values[kNumParams];
  for (int32_t id = 0; id < kNumParams; ++id)
    values[id] = owner->value(id);
  const int32_t skin = owner->skin();
  surfaces.beginPaint(fonts);
  const bool composed = composeFace(faceCache, surfaces, values, skin, activeParam);
  surfaces.endPaint();
  if (composed) return surfaces.frameSurface();
  return paintInOnePass(values, skin);
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

uintptr_t editorWindowHandle(EditorWindow* slot) {
  return slot == nullptr ? 0 : static_cast<X11EditorWindow*>(slot)->window->id();
}

int editorEventSource(EditorWindow* slot) {
  return slot == nullptr ? -1 : static_cast<X11EditorWindow*>(slot)->window->connectionFd();
}
