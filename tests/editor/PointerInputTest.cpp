// Raw pointer reports as X11 gives them, turned into editor input: which presses make a
// double-click, wheel buttons as notches, buttons the editor ignores, and the refresh tick.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/PointerInput.h"
#include "editor/RefreshClock.h"

namespace {

// Keeps every call as a line of text, in order.
class Journal : public PointerSink {
 public:
  std::vector<std::string> lines;
  void press(int32_t x, int32_t y, bool shift) override {
    add("press " + point(x, y) + (shift ? " shift" : ""));
  }
  void doubleClick(int32_t x, int32_t y) override { add("double " + point(x, y)); }
  void move(int32_t x, int32_t y, bool shift) override {
    add("move " + point(x, y) + (shift ? " shift" : ""));
  }
  void release() override { add("release"); }
  void wheel(int32_t x, int32_t y, int32_t delta, bool shift) override {
    add("wheel " + point(x, y) + " " + std::to_string(delta) + (shift ? " shift" : ""));
  }
  void captureLost() override { add("lost"); }

 private:
  static std::string point(int32_t x, int32_t y) {
    return std::to_string(x) + "," + std::to_string(y);
  }
  void add(std::string line) { lines.push_back(std::move(line)); }
};

using Lines = std::vector<std::string>;

TEST(DoubleClick, SecondPressWithinTimeAndDistanceMakesOne) {
  DoubleClickTracker clicks;
  EXPECT_FALSE(clicks.pressed(100, 100, 1000));
  EXPECT_TRUE(
      clicks.pressed(100 + kDoubleClickSlop, 100 - kDoubleClickSlop, 1000 + kDoubleClickMs));
}

TEST(DoubleClick, TooLateOrTooFarIsAFreshFirstPress) {
  DoubleClickTracker clicks;
  EXPECT_FALSE(clicks.pressed(100, 100, 1000));
  EXPECT_FALSE(clicks.pressed(100, 100, 1000 + kDoubleClickMs + 1)) << "late";
  EXPECT_FALSE(clicks.pressed(100 + kDoubleClickSlop + 1, 100, 1500))
      << "far, measured from the last";
  EXPECT_FALSE(clicks.pressed(100, 100 + 2 * kDoubleClickSlop + 2, 1600)) << "far in y";
  // The late and far presses each started a new pair.
  EXPECT_TRUE(clicks.pressed(100, 100 + 2 * kDoubleClickSlop + 2, 1700));
}

TEST(DoubleClick, ThirdQuickPressIsAPlainPressAgain) {
  DoubleClickTracker clicks;
  EXPECT_FALSE(clicks.pressed(10, 10, 0));
  EXPECT_TRUE(clicks.pressed(10, 10, 100));
  EXPECT_FALSE(clicks.pressed(10, 10, 200));
  EXPECT_TRUE(clicks.pressed(10, 10, 300));
}

TEST(DoubleClick, ServerClockWrapAroundKeepsTheInterval) {
  DoubleClickTracker clicks;
  EXPECT_FALSE(clicks.pressed(10, 10, 0xFFFFFF00u));
  EXPECT_TRUE(clicks.pressed(10, 10, 0x00000010u)) << "0x110 ms later across the wrap";
  EXPECT_FALSE(clicks.pressed(10, 10, 0xFFFFFF00u));
  EXPECT_FALSE(clicks.pressed(10, 10, 0xFFFFFE00u)) << "a clock that went backwards is late";
}

TEST(PointerTranslator, MainButtonPressesDoubleClicksMovesAndRelease) {
  Journal journal;
  PointerTranslator pointer(journal);
  pointer.moved(5, 6, false);
  pointer.buttonPressed(1, 73, 215, true, 1000);
  pointer.moved(73, -20, true);
  pointer.buttonReleased(1);
  pointer.buttonPressed(1, 74, 214, false, 1200);
  pointer.buttonReleased(1);
  EXPECT_EQ(journal.lines, (Lines{"move 5,6", "press 73,215 shift", "move 73,-20 shift", "release",
                                  "double 74,214", "release"}));
}

TEST(PointerTranslator, WheelButtonsAreOneNotchEachWay) {
  Journal journal;
  PointerTranslator pointer(journal);
  pointer.buttonPressed(4, 10, 20, false, 0);
  pointer.buttonReleased(4);
  pointer.buttonPressed(5, 10, 20, true, 5);
  pointer.buttonReleased(5);
  EXPECT_EQ(journal.lines, (Lines{"wheel 10,20 120", "wheel 10,20 -120 shift"}));
}

TEST(PointerTranslator, OtherButtonsDoNothingAndBreakADoubleClick) {
  Journal journal;
  PointerTranslator pointer(journal);
  pointer.buttonPressed(1, 10, 10, false, 0);
  pointer.buttonReleased(1);
  for (int32_t button : {2, 3, 6, 7, 8, 9, 0, -1, 1000}) {
    pointer.buttonPressed(button, 10, 10, false, 10);
    pointer.buttonReleased(button);
  }
  pointer.buttonPressed(1, 10, 10, false, 20);
  EXPECT_EQ(journal.lines, (Lines{"press 10,10", "release", "press 10,10"}));
}

TEST(PointerTranslator, WheelBetweenTwoPressesLeavesTheDoubleClick) {
  Journal journal;
  PointerTranslator pointer(journal);
  pointer.buttonPressed(1, 10, 10, false, 0);
  pointer.buttonPressed(4, 10, 10, false, 10);
  pointer.buttonPressed(1, 10, 10, false, 20);
  EXPECT_EQ(journal.lines, (Lines{"press 10,10", "wheel 10,10 120", "double 10,10"}));
}

TEST(PointerTranslator, LostGrabIsReported) {
  Journal journal;
  PointerTranslator pointer(journal);
  pointer.grabEnded();
  EXPECT_EQ(journal.lines, (Lines{"lost"}));
}

TEST(RefreshClock, TicksOnceAPeriodHasPassedAndCountsFromThatTick) {
  RefreshClock clock(1000);
  EXPECT_FALSE(clock.tickDue(1000 + kRefreshPeriodMs - 1));
  EXPECT_TRUE(clock.tickDue(1000 + kRefreshPeriodMs + 30));
  EXPECT_FALSE(clock.tickDue(1000 + 2 * kRefreshPeriodMs)) << "the period runs from the tick";
  EXPECT_TRUE(clock.tickDue(1000 + 2 * kRefreshPeriodMs + 30));
  // Idle calls far apart give one tick each, never a burst of missed ones.
  EXPECT_TRUE(clock.tickDue(5000));
  EXPECT_FALSE(clock.tickDue(5001));
}

}  // namespace
