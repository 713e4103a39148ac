// Composition from the cache, through recording surfaces: what is painted, copied and left
// alone for each kind of change, and the fall-back when a surface cannot be made.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "editor/FaceComposer.h"
#include "editor/Layout.h"
#include "params/Programs.h"
#include "tests/facecache/RecordedCalls.h"

namespace {

struct Copy {
  int32_t skin;
  RectI area;
};

class RecordingSurfaces : public FaceSurfaces {
 public:
  RecordingCanvas backdrops[kNumSkins];
  RecordingCanvas frameCanvas;
  std::vector<Copy> copies;
  bool failBackdrop = false;
  bool failFrame = false;

  Canvas* backdrop(int32_t skin) override { return failBackdrop ? nullptr : &backdrops[skin]; }
  Canvas* frame() override { return failFrame ? nullptr : &frameCanvas; }
  void copyBackdropToFrame(int32_t skin, RectI area) override { copies.push_back({skin, area}); }

  // Forgets what was drawn and copied so far.
  void clear() {
    for (RecordingCanvas& canvas : backdrops)
      canvas.calls.clear();
    frameCanvas.calls.clear();
    copies.clear();
  }
};

constexpr RectI kWholeWindow{0, 0, kWindowWidth, kWindowHeight};

bool sameCalls(const std::vector<DrawCall>& a, const std::vector<DrawCall>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), sameCall);
}

class FaceComposerTest : public ::testing::Test {
 protected:
  FaceComposerTest() { programValues(0, values); }

  bool compose(int32_t skin, int32_t activeParam = -1) {
    surfaces.clear();
    return composeFace(cache, surfaces, values, skin, activeParam);
  }

  std::vector<DrawCall> partsAlone(FacePartSet parts, int32_t skin, int32_t activeParam = -1) {
    RecordingCanvas canvas;
    paintFaceParts(canvas, parts, values, skin, activeParam);
    return canvas.calls;
  }

  // The frame was brought up to date by copying exactly these parts' areas and drawing them.
  void expectRedrawn(FacePartSet parts, int32_t skin, int32_t activeParam = -1) {
    std::vector<RectI> expected;
    for (int32_t part = 0; part < kNumFaceParts; ++part)
      if ((parts & partBit(part)) && facePartArea(skin, part).left < facePartArea(skin, part).right)
        expected.push_back(facePartArea(skin, part));
    ASSERT_EQ(surfaces.copies.size(), expected.size());
    for (size_t k = 0; k < expected.size(); ++k)
      EXPECT_EQ(surfaces.copies[k].area, expected[k]);
    EXPECT_TRUE(sameCalls(surfaces.frameCanvas.calls, partsAlone(parts, skin, activeParam)));
    for (const RecordingCanvas& backdrop : surfaces.backdrops)
      EXPECT_TRUE(backdrop.calls.empty()) << "a backdrop was painted again";
  }

  void expectNothingDrawn() {
    EXPECT_TRUE(surfaces.copies.empty());
    EXPECT_TRUE(surfaces.frameCanvas.calls.empty());
    for (const RecordingCanvas& backdrop : surfaces.backdrops)
      EXPECT_TRUE(backdrop.calls.empty());
  }

  double values[kNumParams];
  FaceCache cache;
  RecordingSurfaces surfaces;
};

TEST_F(FaceComposerTest, FirstPaintDrawsBackdropThenTheWholeValueLayerOverIt) {
  ASSERT_TRUE(compose(Vintage));
  RecordingCanvas backdrop;
  paintEditorBackdrop(backdrop, Vintage);
  EXPECT_TRUE(sameCalls(surfaces.backdrops[Vintage].calls, backdrop.calls));
  ASSERT_EQ(surfaces.copies.size(), 1u);
  EXPECT_EQ(surfaces.copies[0].skin, Vintage);
  EXPECT_EQ(surfaces.copies[0].area, kWholeWindow);
  EXPECT_TRUE(sameCalls(surfaces.frameCanvas.calls, partsAlone(kAllFaceParts, Vintage)));
}

TEST_F(FaceComposerTest, PaintWithNothingChangedDrawsAndCopiesNothing) {
  for (int32_t skin = 0; skin < kNumSkins; ++skin) {
    ASSERT_TRUE(compose(skin, 3));
    ASSERT_TRUE(compose(skin, 3));
    expectNothingDrawn();
  }
}

TEST_F(FaceComposerTest, OneValueChangedRedrawsOnlyItsControl) {
  values[kSquare] = 0.125;  // no factory program: the Silver marks stay as they are
  for (int32_t skin = 0; skin < kNumSkins; ++skin) {
    ASSERT_TRUE(compose(skin));
    values[kAttack] = 0.25;
    ASSERT_TRUE(compose(skin));
    expectRedrawn(partBit(kAttack), skin);
    values[kAttack] = kParamTable[kAttack].defaultValue;
    ASSERT_TRUE(compose(skin));
  }
}

// The dragged control is drawn marked in Vintage and Silver: both the control that gained the
// drag and the one that lost it change.
TEST_F(FaceComposerTest, DragMovingToAnotherControlRedrawsBothControls) {
  ASSERT_TRUE(compose(Silver, 2));
  ASSERT_TRUE(compose(Silver, 9));
  expectRedrawn(partBit(2) | partBit(9), Silver, 9);
  ASSERT_TRUE(compose(Silver, -1));
  expectRedrawn(partBit(9), Silver, -1);
}

TEST_F(FaceComposerTest, LegatoToggledRedrawsItsReadoutAndTheSwitch) {
  ASSERT_TRUE(compose(Original));
  values[kLegato] = 0.0;
  ASSERT_TRUE(compose(Original));
  expectRedrawn(partBit(kLegato) | partBit(kLegatoSwitchPart), Original);
}

TEST_F(FaceComposerTest, SilverProgramMarksFollowTheMatchedProgram) {
  ASSERT_TRUE(compose(Silver));
  // Within the match's tolerance: still program 0, only the control's read-out may change.
  values[kSquare] += 0.000004;
  ASSERT_TRUE(compose(Silver));
  expectRedrawn(partBit(kSquare), Silver);
  values[kSquare] += 0.00002;
  ASSERT_TRUE(compose(Silver));
  expectRedrawn(partBit(kSquare) | partBit(kProgramMarksPart), Silver);
  programValues(3, values);
  ASSERT_TRUE(compose(Silver));
  EXPECT_TRUE(surfaces.frameCanvas.findText(u"04  LANTERN") != nullptr);
  EXPECT_EQ(cache.frameKey.matchedProgram, 3);
}

// A zero of the other sign is drawn the same today, but nothing guarantees it stays so: only
// identical bits reuse the picture.
TEST_F(FaceComposerTest, ValueEqualButNotIdenticalStillRedraws) {
  values[kGlide] = 0.0;
  ASSERT_TRUE(compose(Vintage));
  values[kGlide] = -0.0;
  ASSERT_TRUE(compose(Vintage));
  expectRedrawn(partBit(kGlide), Vintage);
  values[kGlide] = std::numeric_limits<double>::quiet_NaN();
  ASSERT_TRUE(compose(Vintage));
  ASSERT_TRUE(compose(Vintage));
  expectNothingDrawn();
}

TEST_F(FaceComposerTest, EachBackdropIsPaintedOnceAndReusedWhenItsSkinReturns) {
  ASSERT_TRUE(compose(Vintage));
  ASSERT_TRUE(compose(Silver));
  EXPECT_FALSE(surfaces.backdrops[Silver].calls.empty());
  ASSERT_TRUE(compose(Vintage));
  EXPECT_TRUE(surfaces.backdrops[Vintage].calls.empty());
  ASSERT_EQ(surfaces.copies.size(), 1u);
  EXPECT_EQ(surfaces.copies[0].skin, Vintage);
  EXPECT_EQ(surfaces.copies[0].area, kWholeWindow);
  EXPECT_TRUE(sameCalls(surfaces.frameCanvas.calls, partsAlone(kAllFaceParts, Vintage)));
}

TEST_F(FaceComposerTest, MissingSurfaceOrUnknownSkinLeavesThePaintToTheOnePass) {
  surfaces.failFrame = true;
  EXPECT_FALSE(compose(Original));
  surfaces.failFrame = false;
  ASSERT_TRUE(compose(Original));
  surfaces.failBackdrop = true;
  values[kAttack] = 0.5;
  EXPECT_FALSE(compose(Silver));
  expectNothingDrawn();
  EXPECT_FALSE(compose(3));
  EXPECT_FALSE(compose(-1));
  // The frame still holds the Original face it was composed with: the next Original paint
  // redraws only what changed since.
  surfaces.failBackdrop = false;
  ASSERT_TRUE(compose(Original));
  expectRedrawn(partBit(kAttack), Original);
}

// What the tick compares: the frame shows exactly the face it was composed with, and nothing
// after a paint that could not use it.
TEST_F(FaceComposerTest, FrameShowsOnlyTheFaceItWasComposedWith) {
  EXPECT_FALSE(frameShows(cache, values, Original, -1)) << "nothing composed yet";
  ASSERT_TRUE(compose(Vintage, 3));
  EXPECT_TRUE(frameShows(cache, values, Vintage, 3));
  EXPECT_FALSE(frameShows(cache, values, Silver, 3));
  EXPECT_FALSE(frameShows(cache, values, Vintage, -1));
  double changed[kNumParams];
  std::copy(values, values + kNumParams, changed);
  changed[kRelease] = -0.0 == changed[kRelease] ? 0.0 : -0.0;
  EXPECT_FALSE(frameShows(cache, changed, Vintage, 3));
  surfaces.failFrame = true;
  EXPECT_FALSE(compose(Vintage, 3));
  EXPECT_FALSE(frameShows(cache, values, Vintage, 3)) << "the window shows a one-pass picture";
  surfaces.failFrame = false;
  ASSERT_TRUE(compose(Vintage, 3));
  EXPECT_TRUE(frameShows(cache, values, Vintage, 3));
}

}  // namespace
