// The editor as a VST 3 view on Linux, in a host frame on Xvfb, served only through the
// host's run loop (file descriptor and timer), as Linux hosts forward no window events.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <memory>

#include "tests/vst3/FormatDrivers.h"
#include "tools/host/Vst3Plugin.h"
#include "tools/host/Vst3RunLoop.h"
#include "tools/snapshot/X11HostWindow.h"

namespace {

constexpr int32_t kHostX = 100;
constexpr int32_t kHostY = 80;
constexpr int32_t kServeMs = 60;

// A point inside the knob of control `id` in the Original skin.
int32_t knobX(int32_t id) {
  return 103 * (id % 8) + 73;
}
int32_t knobY(int32_t id) {
  return 150 * (id / 8) + 215;
}

class EditorViewX11 : public testing::Test {
 protected:
  void SetUp() override {
    display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr) << "no X display";
    frame = std::make_unique<X11HostWindow>(display, kHostX, kHostY, 860, 530);
    ASSERT_TRUE(module.load(vst3BundlePath())) << module.error();
    ASSERT_TRUE(plugin.create(module)) << plugin.error();
    view = plugin.controller()->createView("editor");
    ASSERT_NE(view, nullptr);
  }
  void TearDown() override {
    if (view != nullptr) view->release();
    plugin.close();
    frame.reset();
    if (display != nullptr) XCloseDisplay(display);
  }
  // The X server makes the input, so it reaches the editor's own connection.
  void moveTo(int32_t x, int32_t y) {
    XTestFakeMotionEvent(display, DefaultScreen(display), kHostX + x, kHostY + y, CurrentTime);
    XSync(display, False);
    loop.run(kServeMs);
  }
  void button(bool down) {
    XTestFakeButtonEvent(display, 1, down ? True : False, CurrentTime);
    XSync(display, False);
    loop.run(kServeMs);
  }
  int count(char kind) const {
    const auto& calls = plugin_handler().calls;
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [&](const auto& c) { return c.kind == kind; }));
  }
  const Vst3ComponentHandler& plugin_handler() const {
    return const_cast<Vst3Plugin&>(plugin).handler();
  }

  Display* display = nullptr;
  std::unique_ptr<X11HostWindow> frame;
  Vst3Module module;
  Vst3Plugin plugin;
  Vst3RunLoop loop;
  vst3::IPlugView* view = nullptr;
};

TEST_F(EditorViewX11, IsAFixedSizeX11View) {
  EXPECT_EQ(view->isPlatformTypeSupported("X11EmbedWindowID"), vst3::kResultTrue);
  EXPECT_EQ(view->isPlatformTypeSupported("HWND"), vst3::kResultFalse);
  EXPECT_EQ(view->isPlatformTypeSupported(nullptr), vst3::kResultFalse);
  vst3::ViewRect size{};
  ASSERT_EQ(view->getSize(&size), vst3::kResultOk);
  EXPECT_EQ(size.right - size.left, 860);
  EXPECT_EQ(size.bottom - size.top, 530);
  EXPECT_EQ(view->canResize(), vst3::kResultFalse);
  vst3::ViewRect wider{0, 0, 900, 600};
  EXPECT_EQ(view->checkSizeConstraint(&wider), vst3::kResultOk);
  EXPECT_EQ(wider.right, 860);
  EXPECT_EQ(wider.bottom, 530);
}

TEST_F(EditorViewX11, IsServedThroughTheRunLoop) {
  EXPECT_EQ(view->removed(), vst3::kResultFalse);  // before attached: nothing to remove
  view->setFrame(&loop);
  ASSERT_EQ(view->attached(frame->handle(), "X11EmbedWindowID"), vst3::kResultOk);
  EXPECT_EQ(view->attached(frame->handle(), "X11EmbedWindowID"), vst3::kResultFalse);
  EXPECT_EQ(loop.handlerCount(), 1u);
  EXPECT_EQ(loop.timerCount(), 1u);
  loop.run(300);
  EXPECT_GT(loop.timerCalls(), 0u);
  EXPECT_EQ(frame->children().size(), 1u);  // the editor's window, inside the host's

  // A drag on a knob: the host hears begin, values, and the end when the view closes.
  moveTo(knobX(0), knobY(0));
  button(true);
  moveTo(knobX(0), knobY(0) - 20);
  EXPECT_GT(loop.fdCalls(), 0u);
  EXPECT_EQ(count('b'), 1);
  EXPECT_GT(count('p'), 0);
  EXPECT_EQ(count('e'), 0);
  EXPECT_EQ(view->removed(), vst3::kResultOk);
  EXPECT_EQ(count('e'), 1);
  button(false);
  EXPECT_EQ(loop.handlerCount(), 0u);
  EXPECT_EQ(loop.timerCount(), 0u);
  XSync(display, False);
  EXPECT_TRUE(frame->children().empty());

  // It opens again after being removed.
  ASSERT_EQ(view->attached(frame->handle(), "X11EmbedWindowID"), vst3::kResultOk);
  loop.run(100);
  EXPECT_EQ(view->removed(), vst3::kResultOk);
}

TEST_F(EditorViewX11, OneEditorPerInstance) {
  view->setFrame(&loop);
  ASSERT_EQ(view->attached(frame->handle(), "X11EmbedWindowID"), vst3::kResultOk);
  vst3::IPlugView* second = plugin.controller()->createView("editor");
  ASSERT_NE(second, nullptr);
  second->setFrame(&loop);
  EXPECT_EQ(second->attached(frame->handle(), "X11EmbedWindowID"), vst3::kResultFalse);
  EXPECT_EQ(second->removed(), vst3::kResultFalse);
  second->release();
  loop.run(100);
  EXPECT_EQ(frame->children().size(), 1u);
  EXPECT_EQ(view->removed(), vst3::kResultOk);
  EXPECT_EQ(plugin.controller()->createView("other"), nullptr);
}

TEST_F(EditorViewX11, RefusesABadParentOrType) {
  view->setFrame(&loop);
  EXPECT_EQ(view->attached(nullptr, "X11EmbedWindowID"), vst3::kResultFalse);
  EXPECT_EQ(view->attached(frame->handle(), "HWND"), vst3::kResultFalse);
  EXPECT_EQ(view->attached(reinterpret_cast<void*>(0x7FFFFFF), "X11EmbedWindowID"),
            vst3::kResultFalse);
  EXPECT_EQ(loop.handlerCount(), 0u);
}

}  // namespace
