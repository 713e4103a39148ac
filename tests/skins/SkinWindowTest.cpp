// The Vintage and Silver skins in the real editor window of the Windows build: picked with
// mouse clicks on the appearance bar, their pixels read back at known places, text above the
// shapes beneath it, and the Silver fader's jump to a pressed point.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "tests/host/TestHost.h"
#include "tools/snapshot/HostWindow.h"

namespace {

constexpr int32_t kEditorWidth = 860;
constexpr int32_t kEditorHeight = 530;
constexpr wchar_t kEditorClass[] = L"BrisalondeMultiSkinVST2_110";
constexpr size_t kChunkSize = 148;
constexpr size_t kChunkSkinOffset = 144;

enum Skin : int32_t { kOriginal = 0, kVintage = 1, kSilver = 2 };

// A point inside each skin segment of the appearance bar, clear of its label.
constexpr POINT kSegmentPoint[] = {{530, 47}, {628, 47}, {726, 47}};

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

// How many pixels of `area` lie within `tolerance` of `expected` in every channel.
int pixelsNear(const Capture& picture, RECT area, Colour expected, int tolerance) {
  int found = 0;
  for (int32_t y = area.top; y < area.bottom; ++y)
    for (int32_t x = area.left; x < area.right; ++x)
      if (colourNear(colourOf(picture.at(x, y)), expected, tolerance)) ++found;
  return found;
}

class SkinWindowTest : public ::testing::Test {
 protected:
  // One host frame serves all tests: destroying a top-level window is slow under wine
  // without a window manager. Each test opens and closes its own editor in it.
  static void SetUpTestSuite() { host_ = new HostWindow(kEditorWidth, kEditorHeight); }
  static void TearDownTestSuite() {
    delete host_;
    host_ = nullptr;
  }

  void SetUp() override {
    ASSERT_NE(host_->handle(), nullptr) << "no display for the host window";
    testhost::calls().clear();
    ASSERT_EQ(plugin_.dispatch(effEditOpen, 0, 0, host_->handle()), 1);
    editor_ = findChildOfClass(host_->handle(), kEditorClass);
    ASSERT_NE(editor_, nullptr);
  }
  void TearDown() override { plugin_.dispatch(effEditClose); }

  void press(int32_t x, int32_t y, bool shift = false) {
    SendMessageW(editor_, WM_LBUTTONDOWN, MK_LBUTTON | (shift ? MK_SHIFT : 0), MAKELPARAM(x, y));
  }
  void moveTo(int32_t x, int32_t y) {
    SendMessageW(editor_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
  }
  void release(int32_t x, int32_t y) { SendMessageW(editor_, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
  void click(POINT point) {
    press(point.x, point.y);
    release(point.x, point.y);
  }
  void pickSkin(int32_t skin) { click(kSegmentPoint[skin]); }

  // What the editor shows now: a repaint is forced so that a pending one is not missed.
  Capture picture() {
    InvalidateRect(editor_, nullptr, FALSE);
    Capture capture;
    EXPECT_TRUE(captureClient(editor_, capture));
    EXPECT_EQ(capture.width, kEditorWidth);
    EXPECT_EQ(capture.height, kEditorHeight);
    return capture;
  }

  // The skin as the host would save it with the project.
  int32_t savedSkin() {
    void* chunk = nullptr;
    if (plugin_.dispatch(effGetChunk, 0, 0, &chunk) != static_cast<intptr_t>(kChunkSize)) return -1;
    const auto* bytes = static_cast<const unsigned char*>(chunk);
    int32_t skin = 0;
    for (size_t b = 0; b < 4; ++b)
      skin |= static_cast<int32_t>(bytes[kChunkSkinOffset + b]) << (8 * b);
    return skin;
  }

  std::vector<HostCall> callsOf(int32_t opcode) const {
    std::vector<HostCall> found;
    for (const HostCall& call : testhost::calls())
      if (call.opcode == opcode) found.push_back(call);
    return found;
  }

  static HostWindow* host_;
  TestPlugin plugin_;
  HWND editor_ = nullptr;
};

HostWindow* SkinWindowTest::host_ = nullptr;

TEST_F(SkinWindowTest, AppearanceBarClicksSwitchSkinAndTellTheHost) {
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
    pickSkin(step.skin);
    EXPECT_EQ(callsOf(audioMasterUpdateDisplay).size(), ++updates);
    EXPECT_EQ(savedSkin(), step.skin);
    const Capture shown = picture();
    for (int32_t segment = 0; segment < 3; ++segment) {
      const POINT at = kSegmentPoint[segment];
      if (segment == step.skin)
        EXPECT_TRUE(pixelNear(shown, at.x, at.y, step.selectedFace, 0)) << "skin " << step.skin;
      else
        EXPECT_FALSE(pixelNear(shown, at.x, at.y, step.selectedFace, 10)) << "skin " << step.skin;
    }
    EXPECT_TRUE(pixelNear(shown, 5, 300, step.atLeftEdge, 12)) << "skin " << step.skin;
  }
  // No edit came from switching the skin.
  EXPECT_TRUE(callsOf(audioMasterAutomate).empty());
}

TEST_F(SkinWindowTest, VintageSkinShowsItsElementsInPlace) {
  pickSkin(kVintage);
  const Capture shown = picture();
  // The two cheeks are the same wood, grain included.
  long difference = 0;
  for (int32_t y = 0; y < kEditorHeight; y += 3)
    for (int32_t x = 0; x < 24; ++x) {
      const Colour left = colourOf(shown.at(x, y));
      const Colour right = colourOf(shown.at(x + 836, y));
      difference += std::abs(left.red - right.red) + std::abs(left.green - right.green) +
                    std::abs(left.blue - right.blue);
    }
  EXPECT_LT(difference / (24 * (kEditorHeight / 3 + 1)), 2);
  const Colour cheek = colourOf(shown.at(12, 300));
  EXPECT_TRUE(cheek.red > cheek.green && cheek.green > cheek.blue) << "wood is brown";

  EXPECT_TRUE(pixelNear(shown, 470, 41, {0xC6, 0xBE, 0x9D}, 8)) << "cream header strip";
  EXPECT_TRUE(pixelNear(shown, 40, 118, {0xB5, 0xAE, 0x8E}, 12)) << "program button face";
  EXPECT_TRUE(pixelNear(shown, 40, 134, {0x0A, 0x0D, 0x0B}, 8)) << "program button shadow";
  EXPECT_TRUE(pixelNear(shown, 36, 267, {0x14, 0x1A, 0x16}, 4)) << "idle value box";
  EXPECT_TRUE(pixelNear(shown, 60, 508, {0x14, 0x19, 0x15}, 4)) << "footer band";
  // Square stands at 0.55 and Triangle at 0.3: the top lamp of the first is lit only.
  const Colour squareTop = colourOf(shown.at(72, 174));
  const Colour triangleTop = colourOf(shown.at(175, 174));
  EXPECT_GT(squareTop.red - squareTop.blue, 60) << "amber lamp";
  EXPECT_LT(triangleTop.red - triangleTop.blue, 40) << "dark lamp";
  // The bar and the Legato switch in the Vintage colours over the skin.
  EXPECT_TRUE(pixelNear(shown, 516, 75, {198, 190, 157}, 0));
  EXPECT_TRUE(pixelNear(shown, 697, 350, {221, 213, 179}, 0)) << "ON selected";
  EXPECT_TRUE(pixelNear(shown, 663, 350, {20, 26, 22}, 0)) << "OFF not selected";
}

TEST_F(SkinWindowTest, VintageDragLightsTheValueBoxOfTheDraggedKnob) {
  pickSkin(kVintage);
  press(73, 215);
  moveTo(73, 205);
  const Capture dragging = picture();
  release(73, 205);
  EXPECT_TRUE(pixelNear(dragging, 36, 267, {0x43, 0x41, 0x2B}, 4)) << "active value box";
  EXPECT_TRUE(pixelNear(dragging, 139, 267, {0x14, 0x1A, 0x16}, 4)) << "neighbour stays idle";
  const Capture released = picture();
  EXPECT_TRUE(pixelNear(released, 36, 267, {0x14, 0x1A, 0x16}, 4)) << "idle again after release";
}

TEST_F(SkinWindowTest, SilverSkinShowsItsElementsInPlace) {
  pickSkin(kSilver);
  const Capture shown = picture();
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

TEST_F(SkinWindowTest, SilverMarkFollowsProgramButtonsAndEdits) {
  pickSkin(kSilver);
  click(POINT{580, 118});  // "04  LANTERN"
  Capture shown = picture();
  EXPECT_TRUE(pixelNear(shown, 580, 131, {0x28, 0x66, 0x77}, 8)) << "Lantern marked";
  EXPECT_FALSE(pixelNear(shown, 100, 131, {0x28, 0x66, 0x77}, 40)) << "Original no longer marked";
  plugin_.set(0, 0.5f);
  shown = picture();
  EXPECT_FALSE(pixelNear(shown, 580, 131, {0x28, 0x66, 0x77}, 40)) << "edited: nothing marked";
}

TEST_F(SkinWindowTest, SilverPressFarFromTheCapJumpsThere) {
  pickSkin(kSilver);
  testhost::calls().clear();
  // Square at 0.55 puts its cap at y 210; a press at 234 means 0.25.
  press(73, 234);
  EXPECT_FLOAT_EQ(plugin_.get(0), 0.25f);
  const Capture dragging = picture();
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
  release(73, 234);
  EXPECT_EQ(callsOf(audioMasterEndEdit).size(), 1u);
}

TEST_F(SkinWindowTest, SilverPressNearTheCapOrWithShiftKeepsTheValue) {
  pickSkin(kSilver);
  press(73, 219);  // 9 px below the cap at 210
  release(73, 219);
  EXPECT_FLOAT_EQ(plugin_.get(0), 0.55f);
  press(73, 250, true);
  release(73, 250);
  EXPECT_FLOAT_EQ(plugin_.get(0), 0.55f);
  EXPECT_TRUE(callsOf(audioMasterAutomate).empty());
}

// The face texts go through GDI onto the surface that GDI+ drew on: they must land above the
// shapes drawn before them, so that inside a glyph the pixel has the text's colour.
TEST_F(SkinWindowTest, FaceTextLandsAboveTheShapesDrawnBeforeIt) {
  const struct {
    int32_t skin;
    const char* what;
    RECT area;  // the shape the text stands on
    Colour text;
    int glyphPixels;  // at least this many pixels in the text's colour
  } texts[] = {
      {kVintage, "title on the header strip", {45, 20, 425, 57}, {37, 44, 38}, 400},
      {kVintage, "Square's value text in its box", {33, 264, 114, 284}, {209, 196, 151}, 25},
      {kSilver, "title on the panel", {38, 20, 448, 59}, {30, 49, 61}, 400},
      {kSilver, "Square's value text in its box", {33, 265, 114, 283}, {222, 240, 241}, 25},
  };
  for (const auto& t : texts) {
    pickSkin(t.skin);
    const Capture shown = picture();
    EXPECT_GE(pixelsNear(shown, t.area, t.text, 6), t.glyphPixels) << t.what;
  }
}

}  // namespace
