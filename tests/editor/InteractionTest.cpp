// Mouse handling against the window stand-in: regions, the drag law, wheel, double-click,
// program buttons, the appearance bar and the host brackets around every edit.
#include <cmath>

#include "editor/Interaction.h"
#include "params/Programs.h"
#include "params/SkinId.h"
#include "tests/editor/EditorFixture.h"

namespace {

constexpr double kSixth = 1.0 / 6.0;

HostNote begin(int32_t id) {
  return {audioMasterBeginEdit, id, 0.0f};
}
HostNote automate(int32_t id, double v) {
  return {audioMasterAutomate, id, static_cast<float>(v)};
}
HostNote end(int32_t id) {
  return {audioMasterEndEdit, id, 0.0f};
}

// A point inside control `id` in the knob skins.
int32_t knobX(int32_t id) {
  return 103 * (id % 8) + 73;
}
int32_t knobY(int32_t id) {
  return 150 * (id / 8) + 215;
}

}  // namespace

TEST(HitTest, ControlEdgesAreInclusiveInKnobSkins) {
  for (int32_t skin : {Original, Vintage}) {
    EXPECT_EQ(hitTestControl(30, 154, skin), 0);
    EXPECT_EQ(hitTestControl(123, 293, skin), 0);
    EXPECT_EQ(hitTestControl(29, 154, skin), -1);
    EXPECT_EQ(hitTestControl(30, 153, skin), -1);
    EXPECT_EQ(hitTestControl(124, 200, skin), -1);
    EXPECT_EQ(hitTestControl(30, 294, skin), -1);
    EXPECT_EQ(hitTestControl(133, 154, skin), 1);
    EXPECT_EQ(hitTestControl(751 + 93, 304 + 139, skin), 15);
  }
}

TEST(HitTest, SilverFadersAreNarrower) {
  EXPECT_EQ(hitTestControl(35, 200, Silver), -1);
  EXPECT_EQ(hitTestControl(35, 200, Original), 0);
  EXPECT_EQ(hitTestControl(41, 164, Silver), 0);
  EXPECT_EQ(hitTestControl(105, 264, Silver), 0);
  EXPECT_EQ(hitTestControl(106, 264, Silver), -1);
  EXPECT_EQ(hitTestControl(105, 265, Silver), -1);
  EXPECT_EQ(hitTestControl(41 + 103 * 2, 164 + 150, Silver), 10);
}

TEST(HitTest, LegatoSlotHasNoControl) {
  for (int32_t skin : {Original, Vintage, Silver})
    EXPECT_EQ(hitTestControl(103 * 6 + 73, 150 + 215, skin), -1);
}

TEST(HitTest, SkinSegmentsAndTheirGaps) {
  EXPECT_EQ(hitTestSkinSegment(523, 42), Original);
  EXPECT_EQ(hitTestSkinSegment(616, 69), Original);
  for (int32_t x : {617, 620, 715, 718})
    EXPECT_EQ(hitTestSkinSegment(x, 50), -1) << x;
  EXPECT_EQ(hitTestSkinSegment(621, 50), Vintage);
  EXPECT_EQ(hitTestSkinSegment(714, 50), Vintage);
  EXPECT_EQ(hitTestSkinSegment(719, 50), Silver);
  EXPECT_EQ(hitTestSkinSegment(812, 50), Silver);
  EXPECT_EQ(hitTestSkinSegment(813, 50), -1);
  EXPECT_EQ(hitTestSkinSegment(600, 41), -1);
  EXPECT_EQ(hitTestSkinSegment(600, 70), -1);
}

TEST(HitTest, ProgramButtonsIncludeTheGapToTheirRight) {
  EXPECT_EQ(hitTestProgram(30, 105), 0);
  EXPECT_EQ(hitTestProgram(185, 120), 0);
  EXPECT_EQ(hitTestProgram(189, 133), 0);
  EXPECT_EQ(hitTestProgram(190, 120), 1);
  EXPECT_EQ(hitTestProgram(829, 120), 4);
  EXPECT_EQ(hitTestProgram(830, 120), -1);
  EXPECT_EQ(hitTestProgram(29, 120), -1);
  EXPECT_EQ(hitTestProgram(100, 134), -1);
}

TEST(HitTest, LegatoSwitchBounds) {
  EXPECT_TRUE(hitLegatoSwitch(658, 345));
  EXPECT_TRUE(hitLegatoSwitch(727, 382));
  EXPECT_FALSE(hitLegatoSwitch(657, 360));
  EXPECT_FALSE(hitLegatoSwitch(728, 360));
  EXPECT_FALSE(hitLegatoSwitch(700, 383));
}

TEST_F(EditorTest, TransposeDragCrossesStepsAtTheMidpoints) {
  const int32_t x = knobX(kTranspose);
  const int32_t y = knobY(kTranspose);
  press(x, y);
  moveTo(x, y - 16);
  EXPECT_DOUBLE_EQ(value(kTranspose), 0.5);
  moveTo(x, y - 17);
  EXPECT_DOUBLE_EQ(value(kTranspose), 4 * kSixth);
  moveTo(x, y - 60);
  EXPECT_DOUBLE_EQ(value(kTranspose), 5 * kSixth);
  // Automate goes out on every move, changed value or not.
  EXPECT_EQ(notes(audioMasterAutomate).size(), 3u);
  EXPECT_EQ(window.invalidations, 3);
}

TEST_F(EditorTest, SmallMovesAddUpOnAStepperParameter) {
  const int32_t x = knobX(kTranspose);
  int32_t y = knobY(kTranspose);
  press(x, y);
  for (int i = 0; i < 17; ++i)
    moveTo(x, --y);
  EXPECT_DOUBLE_EQ(value(kTranspose), 4 * kSixth);
}

TEST_F(EditorTest, ShiftDragNeedsTenTimesTheTravelInEverySkin) {
  for (int32_t skin : {Original, Vintage, Silver}) {
    setSkin(skin);
    setValue(kSquare, 0.5);
    // Silver thumb at 254 - 40 = 214; pressing on it does not jump.
    const int32_t y = skin == Silver ? 214 : 215;
    press(73, y, true);
    moveTo(73, y - 20, true);
    const double fine = value(kSquare) - 0.5;
    release(73, y - 20);
    setValue(kSquare, 0.5);
    press(73, y);
    moveTo(73, y - 2);
    const double coarse = value(kSquare) - 0.5;
    release(73, y - 2);
    EXPECT_GT(fine, 0.0) << skin;
    EXPECT_NEAR(fine, coarse, 1e-12) << skin;
    EXPECT_NEAR(coarse, skin == Silver ? 0.025 : 0.01, 1e-12) << skin;
  }
}

TEST_F(EditorTest, ShiftChangesRateMidDragWithoutAJump) {
  setValue(kSquare, 0.5);
  press(73, 215);
  moveTo(73, 205);        // +0.05
  moveTo(73, 195, true);  // +0.005
  EXPECT_NEAR(value(kSquare), 0.555, 1e-12);
}

TEST_F(EditorTest, DragPastTheWindowClampsAndNeverLeavesRange) {
  setValue(kSquare, 0.9);
  press(73, 215);
  moveTo(73, 100);
  EXPECT_DOUBLE_EQ(value(kSquare), 1.0);
  moveTo(73, -500);  // captured drag above the window: a negative y
  EXPECT_DOUBLE_EQ(value(kSquare), 1.0);
  moveTo(73, -499);  // the anchor kept 1, not an overshoot
  EXPECT_NEAR(value(kSquare), 0.995, 1e-12);
  moveTo(73, 3000);
  EXPECT_DOUBLE_EQ(value(kSquare), 0.0);
}

TEST_F(EditorTest, PressStartsDragWithoutRepaint) {
  press(knobX(kOutput), knobY(kOutput));
  EXPECT_EQ(editor.activeParam, kOutput);
  EXPECT_TRUE(window.captured);
  EXPECT_EQ(received(), std::vector<HostNote>{begin(kOutput)});
  EXPECT_EQ(window.invalidations, 0);
}

TEST_F(EditorTest, PressOutsideEveryRegionDoesNothing) {
  press(830, 120);
  press(617, 50);
  press(35, 460);
  EXPECT_TRUE(received().empty());
  EXPECT_EQ(editor.activeParam, -1);
  EXPECT_FALSE(window.captured);
}

TEST_F(EditorTest, SilverPressAwayFromThumbJumps) {
  setSkin(Silver);
  setValue(kSquare, 0.55);  // thumb at 254 - 44 = 210
  press(73, 250);
  EXPECT_DOUBLE_EQ(value(kSquare), 0.05);
  EXPECT_EQ(received(), (std::vector<HostNote>{begin(kSquare), automate(kSquare, 0.05)}));
  EXPECT_EQ(window.invalidations, 1);
  // The drag continues from the jumped-to value.
  moveTo(73, 246);
  EXPECT_NEAR(value(kSquare), 0.1, 1e-12);
}

TEST_F(EditorTest, SilverPressNearThumbOrWithShiftKeepsValue) {
  setSkin(Silver);
  setValue(kSquare, 0.55);
  press(73, 220);  // 10 px below the thumb
  release(73, 220);
  press(73, 170, true);
  release(73, 170);
  EXPECT_DOUBLE_EQ(value(kSquare), 0.55);
  EXPECT_TRUE(notes(audioMasterAutomate).empty());
  EXPECT_EQ(window.invalidations, 0);
}

TEST_F(EditorTest, SilverJumpOnLowerRowUsesItsTrack) {
  setSkin(Silver);
  setValue(kOutput, 0.0);  // thumb at 404
  press(103 * 4 + 73, 324);
  EXPECT_DOUBLE_EQ(value(kOutput), 1.0);
}

TEST_F(EditorTest, ReleaseSendsOneEndEditAndFreesCapture) {
  press(73, 215);
  moveTo(73, 210);
  release(73, 210);
  EXPECT_EQ(notes(audioMasterEndEdit), std::vector<HostNote>{end(kSquare)});
  EXPECT_FALSE(window.captured);
  EXPECT_EQ(editor.activeParam, -1);
  release(73, 210);
  send(kMessageCaptureChanged);
  EXPECT_EQ(notes(audioMasterEndEdit).size(), 1u);
}

TEST_F(EditorTest, CaptureLossEndsTheDragOnce) {
  press(73, 215);
  send(kMessageCaptureChanged);
  EXPECT_EQ(notes(audioMasterEndEdit), std::vector<HostNote>{end(kSquare)});
  moveTo(73, 100);
  release(73, 100);
  EXPECT_EQ(notes(audioMasterEndEdit).size(), 1u);
  EXPECT_DOUBLE_EQ(value(kSquare), 0.55);
}

TEST_F(EditorTest, SkinSegmentPressEndsDragAndSelectsSkin) {
  press(73, 215);
  press(760, 55);
  EXPECT_EQ(instance->skin.load(), Silver);
  EXPECT_EQ(received(), (std::vector<HostNote>{begin(kSquare), end(kSquare),
                                               HostNote{audioMasterUpdateDisplay, 0, 0.0f}}));
  EXPECT_FALSE(window.captured);
  EXPECT_EQ(editor.activeParam, -1);
  EXPECT_EQ(window.invalidations, 1);
}

TEST_F(EditorTest, PressingTheCurrentSkinStillUpdatesDisplay) {
  press(570, 55);
  EXPECT_EQ(instance->skin.load(), Original);
  EXPECT_EQ(notes(audioMasterUpdateDisplay).size(), 1u);
  EXPECT_EQ(window.invalidations, 1);
}

TEST_F(EditorTest, CloseDuringDragSendsEndEditOnce) {
  press(73, 215);
  endDragOnClose(editor, window);
  EXPECT_EQ(notes(audioMasterEndEdit), std::vector<HostNote>{end(kSquare)});
  EXPECT_FALSE(window.captured);
  endDragOnClose(editor, window);
  EXPECT_EQ(notes(audioMasterEndEdit).size(), 1u);
}

TEST_F(EditorTest, ProgramButtonSendsSixteenBracketsInOrder) {
  setValue(kSquare, 0.01);
  press(30 + 160 * 2 + 155, 120);  // in the gap right of button 2
  double expected[kNumParams];
  programValues(2, expected);
  std::vector<HostNote> wanted;
  for (int32_t id = 0; id < kNumParams; ++id) {
    wanted.push_back(begin(id));
    wanted.push_back(automate(id, expected[id]));
    wanted.push_back(end(id));
    EXPECT_DOUBLE_EQ(value(id), expected[id]) << id;
  }
  EXPECT_EQ(received(), wanted);
  EXPECT_EQ(instance->currentProgram.load(), 2);
  EXPECT_STREQ(instance->programName, "Bass");
  EXPECT_EQ(window.invalidations, kNumParams);
  EXPECT_EQ(editor.activeParam, -1);
}

TEST_F(EditorTest, LegatoSwitchSetsByPosition) {
  press(694, 345);
  EXPECT_DOUBLE_EQ(value(kLegato), 1.0);
  press(693, 382);
  EXPECT_DOUBLE_EQ(value(kLegato), 0.0);
  EXPECT_EQ(received(),
            (std::vector<HostNote>{begin(kLegato), automate(kLegato, 1.0), end(kLegato),
                                   begin(kLegato), automate(kLegato, 0.0), end(kLegato)}));
  EXPECT_FALSE(window.captured);
}

TEST_F(EditorTest, DoubleClickRestoresDefaults) {
  setValue(kSquare, 0.1);
  setValue(kOutput, 0.2);
  setValue(kTranspose, 0.0);
  doubleClick(knobX(kSquare), knobY(kSquare));
  doubleClick(knobX(kOutput), knobY(kOutput));
  doubleClick(knobX(kTranspose), knobY(kTranspose));
  EXPECT_DOUBLE_EQ(value(kSquare), 0.55);
  EXPECT_DOUBLE_EQ(value(kOutput), 0.8);
  EXPECT_DOUBLE_EQ(value(kTranspose), 0.5);
  EXPECT_EQ(notes(audioMasterBeginEdit).size(), 3u);
  EXPECT_EQ(notes(audioMasterEndEdit).size(), 3u);
  EXPECT_EQ(editor.activeParam, -1);
  EXPECT_FALSE(window.captured);
}

TEST_F(EditorTest, DoubleClickOnLegatoSwitchSetsByPosition) {
  doubleClick(670, 360);
  EXPECT_DOUBLE_EQ(value(kLegato), 0.0);
  doubleClick(700, 360);
  EXPECT_DOUBLE_EQ(value(kLegato), 1.0);
}

TEST_F(EditorTest, DoubleClickOutsideControlsDoesNothing) {
  doubleClick(570, 55);
  doubleClick(100, 120);
  EXPECT_TRUE(received().empty());
}

TEST_F(EditorTest, WheelStepsWithPartialNotches) {
  setValue(kSquare, 0.5);
  wheel(73, 215, 120);
  EXPECT_NEAR(value(kSquare), 0.525, 1e-12);
  wheel(73, 215, 120, true);
  EXPECT_NEAR(value(kSquare), 0.5275, 1e-12);
  wheel(73, 215, -60);
  EXPECT_NEAR(value(kSquare), 0.515, 1e-12);
  EXPECT_EQ(notes(audioMasterBeginEdit).size(), 3u);
  EXPECT_EQ(notes(audioMasterEndEdit).size(), 3u);
  EXPECT_EQ(window.invalidations, 3);
}

TEST_F(EditorTest, WheelOnSteppedParameterMovesOneStepShiftOrNot) {
  wheel(knobX(kTranspose), knobY(kTranspose), 120);
  EXPECT_DOUBLE_EQ(value(kTranspose), 4 * kSixth);
  wheel(knobX(kTranspose), knobY(kTranspose), -240, true);
  EXPECT_DOUBLE_EQ(value(kTranspose), 2 * kSixth);
}

TEST_F(EditorTest, WheelOnLegatoSwitchTurnsItOnAndOff) {
  wheel(700, 360, -120, true);
  EXPECT_DOUBLE_EQ(value(kLegato), 0.0);
  wheel(670, 360, 120);
  EXPECT_DOUBLE_EQ(value(kLegato), 1.0);
}

TEST_F(EditorTest, WheelUsesClientCoordinatesAndLeavesDragAlone) {
  press(73, 215);
  wheel(knobX(kOutput), knobY(kOutput), 120);
  EXPECT_NEAR(value(kOutput), 0.825, 1e-12);
  EXPECT_EQ(editor.activeParam, kSquare);
  wheel(830, 500, 120);  // nothing there
  EXPECT_EQ(notes(audioMasterAutomate).size(), 1u);
}

TEST_F(EditorTest, TimerRepaintsOnlyOutsideADrag) {
  send(kMessageTimer, 1);
  EXPECT_EQ(window.invalidations, 1);
  press(73, 215);
  send(kMessageTimer, 1);
  EXPECT_EQ(window.invalidations, 1);
  release(73, 215);
  send(kMessageTimer, 1);
  EXPECT_EQ(window.invalidations, 2);
}

TEST_F(EditorTest, TimerLeavesAWindowThatShowsTheCurrentFaceAlone) {
  window.showsCurrent = true;
  send(kMessageTimer, 1);
  EXPECT_EQ(window.invalidations, 0);
  window.showsCurrent = false;
  send(kMessageTimer, 1);
  EXPECT_EQ(window.invalidations, 1);
}

TEST_F(EditorTest, UnhandledMessagesGoToTheDefaultProcedure) {
  constexpr uint32_t kRightButtonDown = 0x0204;
  constexpr uint32_t kMiddleButtonDown = 0x0207;
  constexpr uint32_t kHorizontalWheel = 0x020E;
  constexpr uint32_t kKeyDown = 0x0100;
  for (uint32_t message : {kRightButtonDown, kMiddleButtonDown, kHorizontalWheel, kKeyDown})
    EXPECT_EQ(send(message, 0, packPoint(73, 215)).kind, RouteResult::Kind::Default) << message;
  EXPECT_TRUE(received().empty());
  EXPECT_EQ(send(kMessagePaint).kind, RouteResult::Kind::Paint);
  const RouteResult erase = send(kMessageEraseBackground);
  EXPECT_EQ(erase.kind, RouteResult::Kind::Handled);
  EXPECT_EQ(erase.result, 1);
}
