// The three appearances in the .so's X11 window: picked with clicks on the appearance bar,
// their colours read back at known places, the Vintage value box lit during a drag, and the
// Silver fader's jump drawn where the press was.
#include <cstdlib>

#include "tests/x11/X11EditorFixture.h"

namespace {

enum Skin : int32_t { kOriginal = 0, kVintage = 1, kSilver = 2 };

// A point inside each appearance segment, clear of its label.
constexpr int32_t kSegmentX[] = {530, 628, 726};
constexpr int32_t kSegmentY = 47;

struct Colour {
  int red;
  int green;
  int blue;
};

::testing::AssertionResult pixelNear(const Capture& picture, int32_t x, int32_t y, Colour expected,
                                     int tolerance) {
  const uint32_t pixel = picture.at(x, y);
  const Colour got{static_cast<int>(pixel >> 16 & 0xFF), static_cast<int>(pixel >> 8 & 0xFF),
                   static_cast<int>(pixel & 0xFF)};
  if (std::abs(got.red - expected.red) <= tolerance &&
      std::abs(got.green - expected.green) <= tolerance &&
      std::abs(got.blue - expected.blue) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "pixel (" << x << ", " << y << ") is " << got.red << "," << got.green << "," << got.blue
         << ", expected " << expected.red << "," << expected.green << "," << expected.blue
         << " within " << tolerance;
}

class X11SkinTest : public X11EditorTest {
 protected:
  void SetUp() override {
    X11EditorTest::SetUp();
    if (HasFatalFailure()) return;
    editor_ = open(plugin_, *host_);
    ASSERT_NE(editor_, 0u);
  }
  void TearDown() override {
    close(plugin_);
    X11EditorTest::TearDown();
  }
  void pickSkin(int32_t skin) { click(kSegmentX[skin], kSegmentY); }

  TestPlugin plugin_;
  Window editor_ = 0;
};

TEST_F(X11SkinTest, AppearanceBarClicksRepaintInTheChosenSkinAtOnce) {
  const struct {
    int32_t skin;
    Colour selectedFace;
    Colour atLeftEdge;  // x 5: the Original background, a wooden cheek, the slate margin
  } steps[] = {
      {kVintage, {45, 62, 47}, {0x3C + 9, 0x20 + 6, 0x12 + 3}},
      {kSilver, {33, 94, 115}, {0x1E, 0x27, 0x2D}},
      {kOriginal, {226, 176, 104}, {20, 34, 38}},
  };
  for (const auto& step : steps) {
    pickSkin(step.skin);  // read and painted within the same idle calls, no tick needed
    EXPECT_EQ(savedSkin(plugin_), step.skin);
    const Capture shown = picture(editor_);
    for (int32_t segment = 0; segment < 3; ++segment) {
      if (segment == step.skin)
        EXPECT_TRUE(pixelNear(shown, kSegmentX[segment], kSegmentY, step.selectedFace, 0))
            << "skin " << step.skin;
      else
        EXPECT_FALSE(pixelNear(shown, kSegmentX[segment], kSegmentY, step.selectedFace, 10))
            << "skin " << step.skin;
    }
    EXPECT_TRUE(pixelNear(shown, 5, 300, step.atLeftEdge, 12)) << "skin " << step.skin;
  }
}

TEST_F(X11SkinTest, VintageDragLightsTheValueBoxOfTheDraggedKnobOnly) {
  pickSkin(kVintage);
  press(73, 215);
  moveTo(73, 205);
  const Capture dragging = picture(editor_);
  release();
  EXPECT_TRUE(pixelNear(dragging, 36, 267, {0x43, 0x41, 0x2B}, 4)) << "active value box";
  EXPECT_TRUE(pixelNear(dragging, 139, 267, {0x14, 0x1A, 0x16}, 4)) << "neighbour stays idle";
  idleFor(150);
  EXPECT_TRUE(pixelNear(picture(editor_), 36, 267, {0x14, 0x1A, 0x16}, 4))
      << "idle again after the tick that follows the release";
}

TEST_F(X11SkinTest, SilverPressJumpIsDrawnWhereThePressWas) {
  pickSkin(kSilver);
  press(73, 234);  // the cap of 0.55 is at y 210
  const Capture dragging = picture(editor_);
  release();
  EXPECT_TRUE(pixelNear(dragging, 62, 234, {0xA8, 0x57, 0x32}, 24)) << "index line at the press";
  EXPECT_FALSE(pixelNear(dragging, 62, 210, {0xA8, 0x57, 0x32}, 40)) << "nothing left at 0.55";
  EXPECT_TRUE(pixelNear(dragging, 36, 270, {0x1D, 0x51, 0x62}, 4)) << "active value box";
}

TEST_F(X11SkinTest, SilverProgramMarkFollowsButtonsAndHostEdits) {
  pickSkin(kSilver);
  EXPECT_TRUE(pixelNear(picture(editor_), 100, 131, {0x28, 0x66, 0x77}, 8)) << "Original marked";
  click(580, 118);  // "04  LANTERN"
  Capture shown = picture(editor_);
  EXPECT_TRUE(pixelNear(shown, 580, 131, {0x28, 0x66, 0x77}, 8)) << "Lantern marked";
  EXPECT_FALSE(pixelNear(shown, 100, 131, {0x28, 0x66, 0x77}, 40)) << "Original no longer marked";
  plugin_.set(0, 0.5f);
  idleFor(150);
  EXPECT_FALSE(pixelNear(picture(editor_), 580, 131, {0x28, 0x66, 0x77}, 40))
      << "edited by the host: nothing marked after the tick";
}

}  // namespace
