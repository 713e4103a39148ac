// The editor of the real .so in an X11 host frame: the window the host gets, reopening, two
// instances at once, mouse input made by the X server and the host callbacks it causes,
// closing during a drag, the refresh from the host's idle calls, and failures that must
// leave the host running.
#include "tests/x11/X11EditorFixture.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr uint32_t kBackground = rgbPixel(20, 34, 38);
constexpr uint32_t kSelected = rgbPixel(226, 176, 104);
constexpr uint32_t kUnselected = rgbPixel(33, 53, 58);

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

using Clock = std::chrono::steady_clock;

int64_t msSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

}  // namespace

TEST_F(X11EditorTest, OpensOneMappedChildOfTheHostFrameAtEditorSize) {
  TestPlugin plugin;
  ERect* rect = nullptr;
  ASSERT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(rect->right - rect->left, kEditorWidth);
  EXPECT_EQ(rect->bottom - rect->top, kEditorHeight);
  const Window editor = open(plugin, *host_);
  ASSERT_NE(editor, 0u);
  XWindowAttributes attributes;
  ASSERT_NE(XGetWindowAttributes(display_, editor, &attributes), 0);
  EXPECT_EQ(attributes.x, 0);
  EXPECT_EQ(attributes.y, 0);
  EXPECT_EQ(attributes.width, kEditorWidth);
  EXPECT_EQ(attributes.height, kEditorHeight);
  EXPECT_EQ(attributes.map_state, IsViewable);
  EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, nullptr), 0);
  EXPECT_EQ(host_->children().size(), 1u) << "a null parent must leave the open editor alone";
  close(plugin);
  EXPECT_TRUE(host_->children().empty());
  close(plugin);
}

TEST_F(X11EditorTest, ReopeningLeavesOneWindow) {
  TestPlugin plugin;
  ASSERT_NE(open(plugin, *host_), 0u);
  ASSERT_NE(open(plugin, *host_), 0u);
  EXPECT_EQ(host_->children().size(), 1u);
  wheel(knobX(0), knobY(0), 1);
  EXPECT_FLOAT_EQ(plugin.get(0), 0.575f) << "the new window serves the mouse";
  close(plugin);
  EXPECT_TRUE(host_->children().empty());
}

TEST_F(X11EditorTest, CloseOnTheInstanceClosesTheEditor) {
  {
    TestPlugin plugin;
    ASSERT_NE(open(plugin, *host_), 0u);
  }
  EXPECT_TRUE(host_->children().empty());
}

TEST_F(X11EditorTest, TwoInstancesAtOnceEachServeTheirOwnWindow) {
  X11HostWindow otherFrame(display_, kHostX + kEditorWidth + 20, kHostY, kEditorWidth,
                           kEditorHeight);
  TestPlugin a;
  TestPlugin b;
  ASSERT_NE(open(a, *host_), 0u);
  const Window editorB = open(b, otherFrame);
  ASSERT_NE(editorB, 0u);
  wheel(knobX(0), knobY(0), 1);
  EXPECT_FLOAT_EQ(a.get(0), 0.575f);
  EXPECT_FLOAT_EQ(b.get(0), 0.55f);
  close(a);
  originX_ = kHostX + kEditorWidth + 20;
  wheel(knobX(0), knobY(0), 1);
  EXPECT_FLOAT_EQ(b.get(0), 0.575f);
  EXPECT_FLOAT_EQ(a.get(0), 0.575f);
  idleFor(3 * kIdlePeriodMs);
  EXPECT_EQ(picture(editorB).at(5, 5), kBackground);
  close(b);
}

TEST_F(X11EditorTest, DragFollowsTheLawAndReportsOneBracket) {
  TestPlugin plugin;
  ASSERT_NE(open(plugin, *host_), 0u);
  moveTo(knobX(0), knobY(0));
  testhost::calls().clear();
  press(knobX(0), knobY(0));
  moveTo(knobX(0), knobY(0) - 10);
  moveTo(knobX(0) + 30, knobY(0) - 20);  // sideways travel does not count
  release();
  EXPECT_FLOAT_EQ(plugin.get(0), 0.65f);
  const auto& calls = testhost::calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
  EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
  EXPECT_FLOAT_EQ(calls[1].opt, 0.6f);
  EXPECT_EQ(calls[2].opcode, audioMasterAutomate);
  EXPECT_FLOAT_EQ(calls[2].opt, 0.65f);
  EXPECT_EQ(calls[3].opcode, audioMasterEndEdit);
  EXPECT_EQ(calls[3].index, 0);
}

TEST_F(X11EditorTest, ShiftMakesTheDragTenTimesFinerFromWhereItIsPressed) {
  TestPlugin plugin;
  ASSERT_NE(open(plugin, *host_), 0u);
  press(knobX(0), knobY(0));
  moveTo(knobX(0), knobY(0) - 10);  // 0.05 up
  holdShift(true);
  moveTo(knobX(0), knobY(0) - 30);  // 20 px fine: 0.01 up
  release();
  holdShift(false);
  EXPECT_NEAR(plugin.get(0), 0.61f, 1e-6);
}

TEST_F(X11EditorTest, DragBeyondTheWindowKeepsTheGrabAndStopsAtTheTop) {
  TestPlugin plugin;
  ASSERT_NE(open(plugin, *host_), 0u);
  press(knobX(1), knobY(1));
  moveTo(knobX(1), -kHostY);  // the top of the screen, above the editor
  EXPECT_FLOAT_EQ(plugin.get(1), 1.0f);
  moveTo(knobX(1), kEditorHeight + 50);  // below the editor
  release();
  EXPECT_FLOAT_EQ(plugin.get(1), 0.0f);
  EXPECT_EQ(countCalls(audioMasterEndEdit, 1), 1) << "the release outside still ends the drag";
}

TEST_F(X11EditorTest, DoubleClickRestoresTheDefaultButTwoSlowClicksDoNot) {
  TestPlugin plugin;
  ASSERT_NE(open(plugin, *host_), 0u);
  plugin.set(0, 0.2f);
  click(knobX(0), knobY(0));
  idleFor(500);
  click(knobX(0), knobY(0));
  EXPECT_FLOAT_EQ(plugin.get(0), 0.2f);
  idleFor(500);
  testhost::calls().clear();
  doubleClick(knobX(0), knobY(0));
  EXPECT_FLOAT_EQ(plugin.get(0), 0.55f);
  // The first press starts and the release ends a drag; the second press is the reset.
  EXPECT_EQ(countCalls(audioMasterBeginEdit, 0), 2);
  EXPECT_EQ(countCalls(audioMasterEndEdit, 0), 2);
  const auto automations = callsOf(audioMasterAutomate);
  ASSERT_EQ(automations.size(), 1u);
  EXPECT_FLOAT_EQ(automations[0].opt, 0.55f);
}

TEST_F(X11EditorTest, WheelStepsOneNotchPerTurnAndOtherButtonsDoNothing) {
  TestPlugin plugin;
  ASSERT_NE(open(plugin, *host_), 0u);
  wheel(knobX(0), knobY(0), 1);
  EXPECT_FLOAT_EQ(plugin.get(0), 0.575f);
  wheel(knobX(10), knobY(10), -1);  // Transpose one octave down
  EXPECT_FLOAT_EQ(plugin.get(10), 1.0f / 3.0f);
  holdShift(true);
  wheel(knobX(0), knobY(0), -2);
  holdShift(false);
  EXPECT_NEAR(plugin.get(0), 0.57f, 1e-6);
  wheel(700, 360, -1);  // the Legato switch, off
  EXPECT_EQ(plugin.get(14), 0.0f);
  EXPECT_EQ(countCalls(audioMasterBeginEdit, 0), 3) << "one bracket a notch";
  EXPECT_EQ(countCalls(audioMasterEndEdit, 0), 3);
  const size_t before = testhost::calls().size();
  moveTo(knobX(0), knobY(0));
  pressButton(3);  // right
  pressButton(2);  // middle
  pressButton(6);  // horizontal wheel
  EXPECT_NEAR(plugin.get(0), 0.57f, 1e-6);
  EXPECT_EQ(testhost::calls().size(), before);
}

TEST_F(X11EditorTest, ProgramButtonsAppearanceBarAndLegatoSwitch) {
  TestPlugin plugin;
  ASSERT_NE(open(plugin, *host_), 0u);
  testhost::calls().clear();
  click(30 + 160 * 3 + 20, 120);
  EXPECT_EQ(plugin.dispatch(effGetProgram), 3);
  EXPECT_EQ(testhost::calls().size(), 48u);
  click(660, 55);
  EXPECT_EQ(countCalls(audioMasterUpdateDisplay, 0), 1);
  EXPECT_EQ(savedSkin(plugin), 1) << "Vintage saved with the state";
  testhost::calls().clear();
  click(670, 360);
  EXPECT_EQ(plugin.get(14), 0.0f);
  click(710, 370);
  EXPECT_EQ(plugin.get(14), 1.0f);
  EXPECT_EQ(countCalls(audioMasterEndEdit, 14), 2);
}

TEST_F(X11EditorTest, SilverPressAwayFromTheCapJumpsThereUnlessShifted) {
  TestPlugin plugin;
  ASSERT_NE(open(plugin, *host_), 0u);
  click(760, 55);
  ASSERT_EQ(savedSkin(plugin), 2);
  testhost::calls().clear();
  press(73, 234);  // the cap of 0.55 is at y 210; 234 means 0.25
  EXPECT_FLOAT_EQ(plugin.get(0), 0.25f);
  release();
  ASSERT_EQ(callsOf(audioMasterAutomate).size(), 1u);
  EXPECT_FLOAT_EQ(callsOf(audioMasterAutomate)[0].opt, 0.25f);
  EXPECT_EQ(callsOf(audioMasterEndEdit).size(), 1u);
  idleFor(500);
  holdShift(true);
  press(73, 180);
  release();
  holdShift(false);
  EXPECT_FLOAT_EQ(plugin.get(0), 0.25f);
}

TEST_F(X11EditorTest, CloseDuringADragEndsTheEditOnceAndFreesThePointer) {
  TestPlugin plugin;
  ASSERT_NE(open(plugin, *host_), 0u);
  testhost::calls().clear();
  press(knobX(12), knobY(12));
  ASSERT_EQ(countCalls(audioMasterBeginEdit, 12), 1);
  close(plugin);
  EXPECT_EQ(countCalls(audioMasterEndEdit, 12), 1);
  EXPECT_EQ(XGrabPointer(display_, host_->window(), False, ButtonPressMask, GrabModeAsync,
                         GrabModeAsync, None, None, CurrentTime),
            GrabSuccess)
      << "the editor's grab is gone";
  XUngrabPointer(display_, CurrentTime);
  release();
  EXPECT_EQ(countCalls(audioMasterEndEdit, 12), 1);
}

TEST_F(X11EditorTest, HostChangesReachTheScreenWithinATickAndAnIdle) {
  TestPlugin plugin;
  const Window editor = open(plugin, *host_);
  ASSERT_NE(editor, 0u);
  idleFor(3 * kIdlePeriodMs);
  EXPECT_EQ(picture(editor).at(697, 350), kSelected) << "Legato on";

  // At the first idle call after 100 ms at the latest, the tick has repainted.
  auto changedBy = [&](auto shown) {
    const Clock::time_point change = Clock::now();
    for (;;) {
      const bool late = msSince(change) >= 100;
      idle();
      if (shown(picture(editor))) return true;
      if (late) return false;
      idleFor(kIdlePeriodMs);
    }
  };
  plugin.set(14, 0.0f);
  EXPECT_TRUE(changedBy([](const Capture& c) { return c.at(663, 350) == kSelected; }))
      << "setParameter not shown";

  void* chunk = nullptr;
  ASSERT_EQ(plugin.dispatch(effGetChunk, 0, 0, &chunk), 148);
  std::string state(static_cast<const char*>(chunk), 148);
  state[144] = 2;  // Silver
  ASSERT_EQ(plugin.dispatch(effSetChunk, 0, 148, state.data()), 1);
  EXPECT_TRUE(changedBy([](const Capture& c) { return c.at(516, 18) == rgbPixel(204, 216, 224); }))
      << "restored appearance not shown";
}

TEST_F(X11EditorTest, TicksDuringADragDoNotRepaintButTheFirstAfterItDoes) {
  TestPlugin plugin;
  const Window editor = open(plugin, *host_);
  ASSERT_NE(editor, 0u);
  press(knobX(0), knobY(0));
  plugin.set(14, 0.0f);
  idleFor(300);
  EXPECT_EQ(picture(editor).at(697, 350), kSelected) << "still on: no repaint during the drag";
  release();
  idleFor(150);
  EXPECT_EQ(picture(editor).at(663, 350), kSelected) << "off after the drag";
  EXPECT_EQ(picture(editor).at(697, 350), kUnselected);
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
    auto frame = std::make_unique<X11HostWindow>(display_, 0, 0, kEditorWidth, kEditorHeight);
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
