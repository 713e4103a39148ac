// What only the Linux editor has to get right in an X11 host frame: where its window sits,
// parents that are no window, no display, X errors and a lost connection, none of which may
// take the host down. The scenarios every window shares are in tests/editor.
#include "tests/x11/X11EditorFixture.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A point inside control `id` in the knob appearances.
int32_t knobX(int32_t id) {
  return 103 * (id % 8) + 73;
}
int32_t knobY(int32_t id) {
  return 150 * (id / 8) + 215;
}

int countingErrors = 0;
int countError(Display*, XErrorEvent*) {
  ++countingErrors;
  return 0;
}

}  // namespace

// What X11 adds to the window the host gets: it sits at the frame's origin and is mapped.
TEST_F(X11EditorTest, OpensAMappedChildAtTheFramesOrigin) {
  TestPlugin plugin;
  const Window editor = open(plugin, *host_);
  ASSERT_NE(editor, 0u);
  XWindowAttributes attributes;
  ASSERT_NE(XGetWindowAttributes(display_, editor, &attributes), 0);
  EXPECT_EQ(attributes.x, 0);
  EXPECT_EQ(attributes.y, 0);
  EXPECT_EQ(attributes.map_state, IsViewable);
  close(plugin);
}

TEST_F(X11EditorTest, ParentThatIsNoWindowAnswersZeroAndLeavesNothing) {
  TestPlugin plugin;
  EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t{0x1FFFFF0})), 0);
  EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(~uintptr_t{0})), 0);
  plugin.dispatch(effEditIdle);
  plugin.dispatch(effEditClose);
  EXPECT_TRUE(host_->children().empty());
  EXPECT_NE(open(plugin, *host_), 0u) << "a good parent works after a bad one";
  close(plugin);
}

TEST_F(X11EditorTest, NoDisplayAnswersZero) {
  TestPlugin plugin;
  const std::string display = std::getenv("DISPLAY");
  setenv("DISPLAY", ":4242", 1);  // no server there
  EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, host_->handle()), 0);
  unsetenv("DISPLAY");
  EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, host_->handle()), 0);
  setenv("DISPLAY", display.c_str(), 1);
  plugin.dispatch(effEditIdle);
  EXPECT_TRUE(host_->children().empty());
  // Without an editor the instance still plays.
  float left[64] = {};
  float right[64] = {};
  float* outputs[] = {left, right};
  plugin.effect()->processReplacing(plugin.effect(), nullptr, outputs, 64);
}

TEST_F(X11EditorTest, EditorErrorsStayWithTheEditorAndTheHostHandlerIsPutBack) {
  countingErrors = 0;
  const XErrorHandler original = XSetErrorHandler(countError);
  {
    TestPlugin plugin;
    // The host tears its frame down before closing the editor, as some hosts do: every call
    // on the editor's window fails from then on.
    auto frame = std::make_unique<X11HostWindow>(display_, 0, 0, kWindowWidth, kWindowHeight);
    ASSERT_NE(open(plugin, *frame), 0u);
    frame.reset();
    plugin.set(0, 0.1f);
    idleFor(300);
    close(plugin);
    EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t{0x1FFFFF0})), 0);
  }
  EXPECT_EQ(XSetErrorHandler(original), &countError) << "the host's handler is back";
  EXPECT_EQ(countingErrors, 0) << "the editor's errors reached the host's handler";
  // An error of the host's own connection still reaches the host's handler.
  XSetErrorHandler(countError);
  TestPlugin plugin;
  ASSERT_NE(open(plugin, *host_), 0u);
  XMapWindow(display_, 0x1FFFFF0);
  XSync(display_, False);
  idleFor(100);
  EXPECT_EQ(countingErrors, 1);
  close(plugin);
  XSetErrorHandler(original);
}

// Ends the test program the way a GUI toolkit ends its host when a connection is lost.
int hostConnectionLost(Display*) {
  std::fprintf(stderr, "the host's connection handler was called\n");
  std::abort();
}

TEST_F(X11EditorTest, LosingTheEditorsConnectionEndsOnlyTheEditor) {
  const XIOErrorHandler original = XSetIOErrorHandler(hostConnectionLost);
  TestPlugin plugin;
  const Window editor = open(plugin, *host_);
  ASSERT_NE(editor, 0u);
  XKillClient(display_, editor);  // as xkill does to the client owning a window
  XSync(display_, False);
  idleFor(300);
  plugin.set(0, 0.1f);
  idleFor(150);
  EXPECT_TRUE(host_->children().empty());
  close(plugin);
  EXPECT_NE(open(plugin, *host_), 0u) << "the editor opens again on a new connection";
  wheel(knobX(0), knobY(0), 1);
  EXPECT_FLOAT_EQ(plugin.get(0), 0.125f);
  close(plugin);
  XSetIOErrorHandler(original);
}
