// The three appearances in a real editor window, whatever the window system: picked with
// clicks on the appearance bar, their colours read back at known places, the Vintage value box
// lit during a drag, the Silver program mark and the Silver fader's jump to a pressed point,
// and face text above the shapes drawn before it. Each test program runs these through the
// driver of its own window system.
#include <cstdlib>

#include "editor/WindowSize.h"
#include "tests/editor/EditorScenario.h"

namespace {

enum Skin : int32_t { kOriginal = 0, kVintage = 1, kSilver = 2 };

struct Colour {
  int red;
  int green;
  int blue;
};

Colour colourOf(uint32_t pixel) {
  return Colour{static_cast<int>(pixel >> 16 & 0xFF), static_cast<int>(pixel >> 8 & 0xFF),
                static_cast<int>(pixel & 0xFF)};
}

bool colourNear(Colour got, Colour expected, int tolerance) {
  return std::abs(got.red - expected.red) <= tolerance &&
         std::abs(got.green - expected.green) <= tolerance &&
         std::abs(got.blue - expected.blue) <= tolerance;
}

::testing::AssertionResult pixelNear(const Capture& picture, int32_t x, int32_t y, Colour expected,
                                     int tolerance) {
  const Colour got = colourOf(picture.at(x, y));
  if (colourNear(got, expected, tolerance)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "pixel (" << x << ", " << y << ") is " << got.red << "," << got.green << "," << got.blue
         << ", expected " << expected.red << "," << expected.green << "," << expected.blue
         << " within " << tolerance;
}

struct Area {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// How many pixels of `area` lie within `tolerance` of `expected` in every channel.
int pixelsNear(const Capture& picture, Area area, Colour expected, int tolerance) {
  int found = 0;
  for (int32_t y = area.top; y < area.bottom; ++y)
    for (int32_t x = area.left; x < area.right; ++x)
      if (colourNear(colourOf(picture.at(x, y)), expected, tolerance)) ++found;
  return found;
}

// One editor, open for the whole test.
class AppearanceScenario : public EditorScenario {
 protected:
  void SetUp() override { ASSERT_TRUE(driver_->open(plugin_.effect())); }
  void TearDown() override { driver_->close(plugin_.effect()); }

  TestPlugin plugin_;
};

TEST_F(AppearanceScenario, AppearanceBarClicksRepaintAtOnceAndTellTheHost) {
  const struct {
    int32_t skin;
    Colour selectedFace;
    Colour atLeftEdge;  // x 5: the Original background, a wooden cheek, the slate margin
  } steps[] = {
      {kVintage, {45, 62, 47}, {0x3C + 9, 0x20 + 6, 0x12 + 3}},
      {kSilver, {33, 94, 115}, {0x1E, 0x27, 0x2D}},
      {kOriginal, {226, 176, 104}, {20, 34, 38}},
  };
  size_t updates = 0;
  for (const auto& step : steps) {
    pickSkin(step.skin);  // no tick awaited: the click itself repaints
    EXPECT_EQ(callsOf(audioMasterUpdateDisplay).size(), ++updates);
    EXPECT_EQ(savedSkin(plugin_), step.skin);
    const Capture shown = driver_->picture();
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
  EXPECT_TRUE(callsOf(audioMasterAutomate).empty()) << "no edit came from switching the skin";
}

TEST_F(AppearanceScenario, OriginalSkinShowsItsElementsInPlace) {
  const Capture shown = driver_->picture();
  EXPECT_EQ(shown.at(5, 5), kOriginalBackground);
  EXPECT_EQ(shown.at(845, 520), kOriginalBackground);
  EXPECT_EQ(shown.at(32, 130), rgbPixel(42, 62, 66));      // program button 1
  EXPECT_EQ(shown.at(815, 107), rgbPixel(42, 62, 66));     // program button 5
  EXPECT_EQ(shown.at(527, 46), rgbPixel(226, 176, 104));   // ORIGINAL selected
  EXPECT_EQ(shown.at(625, 46), rgbPixel(33, 53, 58));      // VINTAGE not
  EXPECT_EQ(shown.at(523, 42), rgbPixel(68, 95, 98));      // segment border
  EXPECT_EQ(shown.at(516, 18), kOriginalBackground);       // bar
  EXPECT_EQ(shown.at(659, 346), rgbPixel(80, 107, 109));   // switch frame
  EXPECT_EQ(shown.at(697, 350), rgbPixel(226, 176, 104));  // ON selected
  EXPECT_EQ(shown.at(663, 350), rgbPixel(33, 53, 58));     // OFF not
  EXPECT_EQ(shown.at(279, 344), rgbPixel(240, 180, 90));   // Transpose pointer, upright
}

TEST_F(AppearanceScenario, VintageSkinShowsItsElementsInPlace) {
  pickSkin(kVintage);
  const Capture shown = driver_->picture();
  // The two cheeks are the same wood, grain included.
  long difference = 0;
  for (int32_t y = 0; y < kWindowHeight; y += 3)
    for (int32_t x = 0; x < 24; ++x) {
      const Colour left = colourOf(shown.at(x, y));
      const Colour right = colourOf(shown.at(x + 836, y));
      difference += std::abs(left.red - right.red) + std::abs(left.green - right.green) +
                    std::abs(left.blue - right.blue);
    }
  EXPECT_LT(difference / (24 * (kWindowHeight / 3 + 1)), 2);
  const Colour cheek = colourOf(shown.at(12, 300));
  EXPECT_TRUE(cheek.red > cheek.green && cheek.green > cheek.blue) << "wood is brown";

  EXPECT_TRUE(pixelNear(shown, 470, 41, {0xC6, 0xBE, 0x9D}, 8)) << "cream header strip";
  EXPECT_TRUE(pixelNear(shown, 40, 118, {0xB5, 0xAE, 0x8E}, 12)) << "program button face";
  EXPECT_TRUE(pixelNear(shown, 40, 134, {0x0A, 0x0D, 0x0B}, 8)) << "program button shadow";
  EXPECT_TRUE(pixelNear(shown, 36, 267, {0x14, 0x1A, 0x16}, 4)) << "idle value box";
  EXPECT_TRUE(pixelNear(shown, 60, 508, {0x14, 0x19, 0x15}, 4)) << "footer band";
  // Square stands at 0.55 and Triangle at 0.3: the top lamp of the first is lit only.
  const Colour squareTop = colourOf(shown.at(73, 174));
  const Colour triangleTop = colourOf(shown.at(176, 174));
  EXPECT_GT(squareTop.red - squareTop.blue, 60) << "amber lamp";
  EXPECT_LT(triangleTop.red - triangleTop.blue, 40) << "dark lamp";
  // The bar and the Legato switch in the Vintage colours over the skin.
  EXPECT_TRUE(pixelNear(shown, 516, 75, {198, 190, 157}, 0));
  EXPECT_TRUE(pixelNear(shown, 697, 350, {221, 213, 179}, 0)) << "ON selected";
  EXPECT_TRUE(pixelNear(shown, 663, 350, {20, 26, 22}, 0)) << "OFF not selected";
}

TEST_F(AppearanceScenario, VintageDragLightsTheValueBoxOfTheDraggedKnobOnly) {
  pickSkin(kVintage);
  driver_->press(73, 215);
  driver_->moveTo(73, 205);
  const Capture dragging = driver_->picture();
  driver_->release();
  EXPECT_TRUE(pixelNear(dragging, 36, 267, {0x43, 0x41, 0x2B}, 4)) << "active value box";
  EXPECT_TRUE(pixelNear(dragging, 139, 267, {0x14, 0x1A, 0x16}, 4)) << "neighbour stays idle";
  driver_->pause(150);
  EXPECT_TRUE(pixelNear(driver_->picture(), 36, 267, {0x14, 0x1A, 0x16}, 4))
      << "idle again after the tick that follows the release";
}

TEST_F(AppearanceScenario, SilverSkinShowsItsElementsInPlace) {
  pickSkin(kSilver);
  const Capture shown = driver_->picture();
  EXPECT_TRUE(pixelNear(shown, 5, 300, {0x1E, 0x27, 0x2D}, 0)) << "slate margin";
  EXPECT_TRUE(pixelNear(shown, 60, 146, {0xA8, 0x57, 0x32}, 16)) << "Square: orange tab";
  EXPECT_TRUE(pixelNear(shown, 360, 146, {0x20, 0x62, 0x70}, 16)) << "Attack: teal tab";
  EXPECT_TRUE(pixelNear(shown, 460, 296, {0xA6, 0x3B, 0x2F}, 16)) << "Output: red tab";
  EXPECT_TRUE(pixelNear(shown, 36, 270, {0x28, 0x39, 0x44}, 4)) << "idle value box";
  // The defaults are the first program: its button alone carries the bar.
  EXPECT_TRUE(pixelNear(shown, 100, 131, {0x28, 0x66, 0x77}, 8)) << "marked program";
  EXPECT_FALSE(pixelNear(shown, 260, 131, {0x28, 0x66, 0x77}, 40)) << "unmarked program";
  EXPECT_TRUE(pixelNear(shown, 60, 497, {0xB0, 0xC0, 0xC9}, 6)) << "footer band";
  EXPECT_TRUE(pixelNear(shown, 697, 350, {33, 94, 115}, 0)) << "ON selected";
  EXPECT_TRUE(pixelNear(shown, 663, 350, {232, 240, 244}, 0)) << "OFF not selected";
}

TEST_F(AppearanceScenario, SilverProgramMarkFollowsButtonsAndHostEdits) {
  pickSkin(kSilver);
  click(580, 118);  // "04  LANTERN"
  Capture shown = driver_->picture();
  EXPECT_TRUE(pixelNear(shown, 580, 131, {0x28, 0x66, 0x77}, 8)) << "Lantern marked";
  EXPECT_FALSE(pixelNear(shown, 100, 131, {0x28, 0x66, 0x77}, 40)) << "Original no longer marked";
  plugin_.set(0, 0.5f);
  driver_->awaitRefresh();
  EXPECT_FALSE(pixelNear(driver_->picture(), 580, 131, {0x28, 0x66, 0x77}, 40))
      << "edited by the host: nothing marked";
}

TEST_F(AppearanceScenario, SilverPressFarFromTheCapJumpsThere) {
  pickSkin(kSilver);
  testhost::calls().clear();
  // Square at 0.55 puts its cap at y 210; a press at 234 means 0.25.
  driver_->press(73, 234);
  EXPECT_FLOAT_EQ(plugin_.get(0), 0.25f);
  const Capture dragging = driver_->picture();
  const auto begins = callsOf(audioMasterBeginEdit);
  const auto automations = callsOf(audioMasterAutomate);
  ASSERT_EQ(begins.size(), 1u);
  ASSERT_EQ(automations.size(), 1u);
  EXPECT_EQ(begins[0].index, 0);
  EXPECT_EQ(automations[0].index, 0);
  EXPECT_FLOAT_EQ(automations[0].opt, 0.25f);
  EXPECT_TRUE(pixelNear(dragging, 62, 234, {0xA8, 0x57, 0x32}, 24)) << "index line at the press";
  EXPECT_FALSE(pixelNear(dragging, 62, 210, {0xA8, 0x57, 0x32}, 40)) << "nothing left at 0.55";
  EXPECT_TRUE(pixelNear(dragging, 36, 270, {0x1D, 0x51, 0x62}, 4)) << "active value box";
  driver_->release();
  EXPECT_EQ(callsOf(audioMasterEndEdit).size(), 1u);
}

TEST_F(AppearanceScenario, SilverPressNearTheCapOrWithShiftKeepsTheValue) {
  pickSkin(kSilver);
  testhost::calls().clear();
  click(73, 219);  // 9 px below the cap at 210
  EXPECT_FLOAT_EQ(plugin_.get(0), 0.55f);
  driver_->pause(500);  // no double-click of the two presses
  driver_->holdShift(true);
  click(73, 250);
  driver_->holdShift(false);
  EXPECT_FLOAT_EQ(plugin_.get(0), 0.55f);
  EXPECT_TRUE(callsOf(audioMasterAutomate).empty());
}

// Face text is drawn after the shapes it stands on and must land above them, so that inside a
// glyph the pixel has the text's colour.
TEST_F(AppearanceScenario, FaceTextLandsAboveTheShapesDrawnBeforeIt) {
  const struct {
    int32_t skin;
    const char* what;
    Area area;  // the shape the text stands on
    Colour text;
    int tolerance;    // small glyphs that are smoothed reach the text's colour in few pixels
    int glyphPixels;  // at least this many pixels near the text's colour
  } texts[] = {
      {kVintage, "title on the header strip", {45, 20, 425, 57}, {37, 44, 38}, 6, 400},
      {kVintage, "Square's value text in its box", {33, 264, 114, 284}, {209, 196, 151}, 40, 25},
      {kSilver, "title on the panel", {38, 20, 448, 59}, {30, 49, 61}, 6, 400},
      {kSilver, "Square's value text in its box", {33, 265, 114, 283}, {222, 240, 241}, 40, 25},
  };
  for (const auto& t : texts) {
    pickSkin(t.skin);
    EXPECT_GE(pixelsNear(driver_->picture(), t.area, t.text, t.tolerance), t.glyphPixels) << t.what;
  }
}

}  // namespace
