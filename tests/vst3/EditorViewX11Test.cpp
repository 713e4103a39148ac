// The editor as a VST 3 view on Linux, in a host frame on Xvfb, served only through the
// host's run loop (file descriptor and timer), as Linux hosts forward no window events.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <memory>

#include "editor/WindowSize.h"
#include "tests/vst3/ViewTest.h"
#include "tools/host/PluginModule.h"
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

class EditorViewX11 : public Vst3ViewTest {
 protected:
  void SetUp() override {
    display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr) << "no X display";
    frame = std::make_unique<X11HostWindow>(display, kHostX, kHostY, kWindowWidth, kWindowHeight);
    Vst3ViewTest::SetUp();
  }
  void TearDown() override {
    Vst3ViewTest::TearDown();
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

  Display* display = nullptr;
  std::unique_ptr<X11HostWindow> frame;
  Vst3RunLoop loop;
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

// The same editor as the VST 2 build's, but for the label "VST3 / 1.2" in the appearance bar.
TEST_F(EditorViewX11, ShowsTheVst2FaceWithItsOwnLabel) {
  view->setFrame(&loop);
  ASSERT_EQ(view->attached(frame->handle(), "X11EmbedWindowID"), vst3::kResultOk);
  PluginModule vst2Module;
  HostedPlugin vst2;
  ASSERT_TRUE(vst2Module.load(vst2Path())) << vst2Module.error();
  ASSERT_TRUE(vst2.create(vst2Module)) << vst2.error();
  X11HostWindow vst2Frame(display, kHostX, kHostY + 560, kWindowWidth, kWindowHeight);
  ASSERT_EQ(vst2.dispatch(effEditOpen, 0, 0, vst2Frame.handle()), 1);
  for (int i = 0; i < 10; ++i) {
    vst2.dispatch(effEditIdle);
    loop.run(30);
  }
  XSync(display, False);
  Capture ours, theirs;
  ASSERT_EQ(frame->children().size(), 1u);
  ASSERT_EQ(vst2Frame.children().size(), 1u);
  ASSERT_TRUE(captureX11Window(display, frame->children()[0], ours));
  ASSERT_TRUE(captureX11Window(display, vst2Frame.children()[0], theirs));
  ASSERT_EQ(ours.pixels.size(), theirs.pixels.size());
  int inLabel = 0, elsewhere = 0;
  for (int32_t y = 0; y < ours.height; ++y) {
    for (int32_t x = 0; x < ours.width; ++x) {
      if (ours.at(x, y) == theirs.at(x, y)) continue;
      const bool label = x >= 723 && x < 817 && y >= 20 && y < 36;
      ++(label ? inLabel : elsewhere);
    }
  }
  EXPECT_GT(inLabel, 0);  // "VST3" is not "VST2"
  EXPECT_EQ(elsewhere, 0);
  vst2.dispatch(effEditClose);
  EXPECT_EQ(view->removed(), vst3::kResultOk);
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
