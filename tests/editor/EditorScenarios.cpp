// What the editor does in a real window, whatever the window system: the window the host
// gets, reopening, two instances at once, the drag law and its fine mode, double-click, wheel
// and the buttons the editor ignores, program buttons, appearance bar and Legato switch,
// closing during a drag, and host changes reaching the screen. Each test program runs these
// through the driver of its own window system.
#include <string>

#include "editor/WindowSize.h"
#include "tests/editor/EditorScenario.h"

namespace {

constexpr uint32_t kSelected = rgbPixel(226, 176, 104);
constexpr uint32_t kUnselected = rgbPixel(33, 53, 58);

using EditorWindowScenario = EditorScenario;

TEST_F(EditorWindowScenario, OpensOneWindowAtEditorSizeAndClosesIt) {
  TestPlugin plugin;
  ERect* rect = nullptr;
  ASSERT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(rect->right - rect->left, kWindowWidth);
  EXPECT_EQ(rect->bottom - rect->top, kWindowHeight);
  ASSERT_TRUE(driver_->open(plugin.effect()));
  driver_->picture();  // checks the size
  EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, nullptr), 0);
  EXPECT_EQ(driver_->editorWindows(), 1) << "a null parent must leave the open editor alone";
  driver_->close(plugin.effect());
  EXPECT_EQ(driver_->editorWindows(), 0);
  driver_->close(plugin.effect());
}

TEST_F(EditorWindowScenario, ReopeningLeavesOneWindowThatServesTheMouse) {
  TestPlugin plugin;
  ASSERT_TRUE(driver_->open(plugin.effect()));
  ASSERT_TRUE(driver_->open(plugin.effect()));
  EXPECT_EQ(driver_->editorWindows(), 1);
  driver_->wheel(knobX(0), knobY(0), 1);
  EXPECT_FLOAT_EQ(plugin.get(0), 0.575f) << "the new window serves the mouse";
  driver_->close(plugin.effect());
  EXPECT_EQ(driver_->editorWindows(), 0);
}

TEST_F(EditorWindowScenario, TwoInstancesAtOnceEachServeTheirOwnWindow) {
  TestPlugin a;
  TestPlugin b;
  ASSERT_TRUE(driver_->open(a.effect(), 0));
  ASSERT_TRUE(driver_->open(b.effect(), 1));
  driver_->useFrame(0);
  driver_->wheel(knobX(0), knobY(0), 1);
  EXPECT_FLOAT_EQ(a.get(0), 0.575f);
  EXPECT_FLOAT_EQ(b.get(0), 0.55f);
  driver_->close(a.effect());
  driver_->useFrame(1);
  driver_->wheel(knobX(0), knobY(0), 1);
  EXPECT_FLOAT_EQ(b.get(0), 0.575f);
  EXPECT_FLOAT_EQ(a.get(0), 0.575f);
  driver_->pause(120);
  EXPECT_EQ(driver_->picture(1).at(5, 5), kOriginalBackground);
  driver_->close(b.effect());
}

TEST_F(EditorWindowScenario, DragFollowsTheLawAndReportsOneBracket) {
  TestPlugin plugin;
  ASSERT_TRUE(driver_->open(plugin.effect()));
  driver_->moveTo(knobX(0), knobY(0));
  testhost::calls().clear();
  driver_->press(knobX(0), knobY(0));
  EXPECT_TRUE(driver_->editorHoldsPointer());
  driver_->moveTo(knobX(0), knobY(0) - 10);
  driver_->moveTo(knobX(0) + 30, knobY(0) - 20);  // sideways travel does not count
  driver_->release();
  EXPECT_FALSE(driver_->editorHoldsPointer());
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

TEST_F(EditorWindowScenario, ShiftMakesTheDragTenTimesFinerFromWhereItIsPressed) {
  TestPlugin plugin;
  ASSERT_TRUE(driver_->open(plugin.effect()));
  driver_->press(knobX(0), knobY(0));
  driver_->moveTo(knobX(0), knobY(0) - 10);  // 0.05 up
  driver_->holdShift(true);
  driver_->moveTo(knobX(0), knobY(0) - 30);  // 20 px fine: 0.01 up
  driver_->release();
  driver_->holdShift(false);
  EXPECT_NEAR(plugin.get(0), 0.61f, 1e-6);
}

TEST_F(EditorWindowScenario, DragBeyondTheWindowKeepsThePointerAndStopsAtTheEnds) {
  TestPlugin plugin;
  ASSERT_TRUE(driver_->open(plugin.effect()));
  driver_->press(knobX(1), knobY(1));
  driver_->moveTo(knobX(1), -80);  // above the editor
  EXPECT_FLOAT_EQ(plugin.get(1), 1.0f);
  driver_->moveTo(knobX(1), kWindowHeight + 50);  // below it
  driver_->release();
  EXPECT_FLOAT_EQ(plugin.get(1), 0.0f);
  EXPECT_EQ(countCalls(audioMasterEndEdit, 1), 1) << "the release outside still ends the drag";
}

TEST_F(EditorWindowScenario, DoubleClickRestoresTheDefaultButTwoSlowClicksDoNot) {
  TestPlugin plugin;
  ASSERT_TRUE(driver_->open(plugin.effect()));
  plugin.set(0, 0.2f);
  click(knobX(0), knobY(0));
  driver_->pause(500);
  click(knobX(0), knobY(0));
  EXPECT_FLOAT_EQ(plugin.get(0), 0.2f);
  driver_->pause(500);
  testhost::calls().clear();
  driver_->doubleClick(knobX(0), knobY(0));
  EXPECT_FLOAT_EQ(plugin.get(0), 0.55f);
  // The first press starts and the release ends a drag; the second press is the reset.
  EXPECT_EQ(countCalls(audioMasterBeginEdit, 0), 2);
  EXPECT_EQ(countCalls(audioMasterEndEdit, 0), 2);
  const auto automations = callsOf(audioMasterAutomate);
  ASSERT_EQ(automations.size(), 1u);
  EXPECT_FLOAT_EQ(automations[0].opt, 0.55f);
}

TEST_F(EditorWindowScenario, WheelStepsOneNotchAtATimeAndOtherButtonsDoNothing) {
  TestPlugin plugin;
  ASSERT_TRUE(driver_->open(plugin.effect()));
  driver_->wheel(knobX(0), knobY(0), 1);
  EXPECT_FLOAT_EQ(plugin.get(0), 0.575f);
  driver_->wheel(knobX(10), knobY(10), -1);  // Transpose one octave down
  EXPECT_FLOAT_EQ(plugin.get(10), 1.0f / 3.0f);
  driver_->holdShift(true);
  driver_->wheel(knobX(0), knobY(0), -2);
  driver_->holdShift(false);
  EXPECT_NEAR(plugin.get(0), 0.57f, 1e-6);
  driver_->wheel(700, 360, -1);  // the Legato switch, off
  EXPECT_EQ(plugin.get(14), 0.0f);
  EXPECT_EQ(countCalls(audioMasterBeginEdit, 0), 3) << "one bracket a notch";
  EXPECT_EQ(countCalls(audioMasterEndEdit, 0), 3);
  const size_t before = testhost::calls().size();
  driver_->moveTo(knobX(0), knobY(0));
  driver_->otherButtons();
  EXPECT_NEAR(plugin.get(0), 0.57f, 1e-6);
  EXPECT_EQ(testhost::calls().size(), before);
}

TEST_F(EditorWindowScenario, ProgramButtonsAppearanceBarAndLegatoSwitch) {
  TestPlugin plugin;
  ASSERT_TRUE(driver_->open(plugin.effect()));
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

TEST_F(EditorWindowScenario, CloseDuringADragEndsTheEditOnceAndFreesThePointer) {
  TestPlugin plugin;
  ASSERT_TRUE(driver_->open(plugin.effect()));
  testhost::calls().clear();
  driver_->press(knobX(12), knobY(12));
  ASSERT_EQ(countCalls(audioMasterBeginEdit, 12), 1);
  driver_->close(plugin.effect());
  EXPECT_EQ(countCalls(audioMasterEndEdit, 12), 1);
  EXPECT_FALSE(driver_->editorHoldsPointer()) << "the editor's hold on the pointer is gone";
  driver_->release();
  EXPECT_EQ(countCalls(audioMasterEndEdit, 12), 1);
}

// The host frees the instance in the middle of a drag: the drag's end-edit reaches the host
// while the instance still exists, and the window and the hold on the pointer go with it.
struct EndEditSeen {
  int32_t index;
  bool instanceAlive;
};
std::vector<EndEditSeen> endEdits;

intptr_t endEditWatchingHost(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                             void* ptr, float opt) {
  if (opcode == audioMasterEndEdit)
    endEdits.push_back(
        {index, effect != nullptr && effect->magic == kEffectMagic && effect->object != nullptr});
  return testhost::callback(effect, opcode, index, value, ptr, opt);
}

TEST_F(EditorWindowScenario, InstanceClosedDuringADragEndsTheEditBeforeItGoes) {
  endEdits.clear();
  AEffect* effect = testhost::module().entry()(endEditWatchingHost);
  ASSERT_NE(effect, nullptr);
  ASSERT_TRUE(driver_->open(effect));
  driver_->press(knobX(12), knobY(12));  // Output
  driver_->moveTo(knobX(12), knobY(12) - 10);
  ASSERT_TRUE(driver_->editorHoldsPointer());
  driver_->forget(effect);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
  ASSERT_EQ(endEdits.size(), 1u);
  EXPECT_EQ(endEdits[0].index, 12);
  EXPECT_TRUE(endEdits[0].instanceAlive) << "the end-edit came after the instance was freed";
  EXPECT_EQ(driver_->editorWindows(), 0);
  EXPECT_FALSE(driver_->editorHoldsPointer());
  driver_->release();
}

TEST_F(EditorWindowScenario, HostChangesReachTheScreenAtTheNextTick) {
  TestPlugin plugin;
  ASSERT_TRUE(driver_->open(plugin.effect()));
  driver_->pause(120);
  Capture shown = driver_->picture();
  EXPECT_EQ(shown.at(697, 350), kSelected) << "Legato on";
  EXPECT_EQ(shown.at(516, 18), kOriginalBackground) << "Original bar";

  plugin.set(14, 0.0f);
  driver_->awaitRefresh();
  shown = driver_->picture();
  EXPECT_EQ(shown.at(663, 350), kSelected) << "setParameter not shown";
  EXPECT_EQ(shown.at(697, 350), kUnselected);

  void* chunk = nullptr;
  ASSERT_EQ(plugin.dispatch(effGetChunk, 0, 0, &chunk), 148);
  std::string state(static_cast<const char*>(chunk), 148);
  state[144] = 2;  // Silver
  ASSERT_EQ(plugin.dispatch(effSetChunk, 0, 148, state.data()), 1);
  driver_->awaitRefresh();
  shown = driver_->picture();
  EXPECT_EQ(shown.at(516, 18), rgbPixel(204, 216, 224)) << "restored appearance not shown";
  EXPECT_EQ(shown.at(723, 46), rgbPixel(33, 94, 115)) << "SILVER selected";
  EXPECT_EQ(shown.at(5, 300), rgbPixel(0x1E, 0x27, 0x2D)) << "Silver's slate margin";
}

TEST_F(EditorWindowScenario, TicksDuringADragDoNotRepaintButTheFirstAfterItDoes) {
  TestPlugin plugin;
  ASSERT_TRUE(driver_->open(plugin.effect()));
  driver_->press(knobX(0), knobY(0));
  EXPECT_EQ(driver_->picture().at(697, 350), kSelected) << "the drag's own repaint, Legato on";
  plugin.set(14, 0.0f);
  driver_->pause(300);
  EXPECT_EQ(driver_->picture().at(697, 350), kSelected) << "still on: no repaint during the drag";
  driver_->release();
  driver_->pause(150);
  const Capture after = driver_->picture();
  EXPECT_EQ(after.at(663, 350), kSelected) << "off after the drag";
  EXPECT_EQ(after.at(697, 350), kUnselected);
}

}  // namespace
