// The editor on Linux: opening and closing for the dispatcher, the host's idle call that
// serves the window, and the bridge from the X11 window to the shared mouse handling and
// painters. The window itself is X11Window's; nothing here speaks Xlib.
#include <new>

#include "editor/EditorHost.h"
#include "editor/EditorWindow.h"
#include "editor/Interaction.h"
#include "editor/Layout.h"
#include "editor/Painters.h"
#include "editor/WindowPort.h"
#include "editor/x11/X11Window.h"
#include "plugin/PluginInstance.h"

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

// What the open editor keeps on Linux, reached through the record's window field.
class X11Editor : public X11WindowClient {
 public:
  explicit X11Editor(EditorWindow& editor) : editor_(editor) {}
  ~X11Editor() override { delete window_; }

  bool open(uintptr_t parent) {
    window_ = X11Window::open(parent, kWindowWidth, kWindowHeight, *this);
    port_.attach(window_);
    return window_ != nullptr;
  }
  void idle() { window_->idle(); }
  // The host hears the end of a drag before the window goes.
  void endDrag() { endDragOnClose(editor_, port_); }

  void press(int32_t x, int32_t y, bool shift) override {
    onButtonDown(editor_, port_, x, y, shift);
  }
  void doubleClick(int32_t x, int32_t y) override { onDoubleClick(editor_, port_, x, y); }
  void move(int32_t, int32_t y, bool shift) override { onMouseMove(editor_, port_, y, shift); }
  void release() override { onButtonUp(editor_, port_); }
  void wheel(int32_t x, int32_t y, int32_t delta, bool shift) override {
    onWheel(editor_, port_, x, y, delta, shift);
  }
  void captureLost() override { onCaptureChanged(editor_); }
  void tick() override { onTimer(editor_, port_); }
  void paint(cairo_surface_t* backBuffer) override;

 private:
  EditorWindow& editor_;
  X11WindowPort port_;
  X11Window* window_ = nullptr;
};

void X11Editor::paint(cairo_surface_t* backBuffer) {
  double values[kNumParams];
  for (int32_t id = 0; id < kNumParams; ++id)
    values[id] = editor_.owner->paramValues[id].load();
  const int32_t skin = editor_.owner->skin.load();
  (void)values;
  (void)skin;
  // TEMPORARY until the cairo canvas lands: a plain fill in the Original background colour
  // stands in for paintEditor.
  cairo_t* cr = cairo_create(backBuffer);
  cairo_set_source_rgb(cr, 20 / 255.0, 34 / 255.0, 38 / 255.0);
  cairo_paint(cr);
  cairo_destroy(cr);
}

X11Editor* platformOf(EditorWindow& editor) {
  return static_cast<X11Editor*>(editor.window);
}

}  // namespace

int openEditor(PluginInstance& instance, void* parentWindow) {
  if (parentWindow == nullptr) return 0;
  closeEditor(instance);
  auto* editor = new (std::nothrow) EditorWindow{};
  if (editor == nullptr) return 0;
  editor->owner = &instance;
  editor->activeParam = -1;
  auto* platform = new (std::nothrow) X11Editor(*editor);
  if (platform == nullptr || !platform->open(reinterpret_cast<uintptr_t>(parentWindow))) {
    delete platform;
    delete editor;
    return 0;
  }
  editor->window = platform;
  instance.editor = editor;
  return 1;
}

void closeEditor(PluginInstance& instance) {
  EditorWindow* editor = instance.editor;
  if (editor == nullptr) return;
  X11Editor* platform = platformOf(*editor);
  platform->endDrag();
  delete platform;
  delete editor;
  instance.editor = nullptr;
}

void idleEditor(PluginInstance& instance) {
  if (instance.editor != nullptr) platformOf(*instance.editor)->idle();
}
