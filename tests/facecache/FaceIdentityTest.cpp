// The cached face against the one-pass paint through the real GDI and GDI+ layer: for random
// walks through the states of every appearance, the frame that the Windows surfaces compose
// equals, bit for bit, the face painted in one pass into a new bitmap, as the window did
// before it kept a cache.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "editor/FaceComposer.h"
#include "editor/win32/GdiFaceSurfaces.h"
#include "tests/facecache/FaceWalk.h"
#include "tests/facecache/OnePassFace.h"

namespace {

constexpr int kStepsPerSkin = 40;
constexpr int kStepsAcrossSkins = 40;

class GdiFaceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { reference_ = new OnePassFace; }
  static void TearDownTestSuite() {
    delete reference_;
    reference_ = nullptr;
  }

  bool compose(const FaceState& state) {
    surfaces_.beginPaint(reference_->screen(), reference_->resources());
    const bool composed =
        composeFace(cache_, surfaces_, state.values, state.skin, state.activeParam);
    surfaces_.endPaint();
    return composed;
  }

  // Walks and compares the composed frame with the one-pass face after every step.
  void walk(FaceWalk& walk, int steps) {
    std::string history = "start";
    for (int k = 0; k <= steps; ++k) {
      ASSERT_TRUE(compose(walk.state()));
      const FacePixels cached = readFacePixels(surfaces_.frameDc());
      const FacePixels reference = reference_->paint(walk.state());
      ASSERT_EQ(pictureDifference(cached, reference), "")
          << "after step " << k << " (" << history << ") in skin " << walk.state().skin;
      history = walk.step();
    }
  }

  static OnePassFace* reference_;
  GdiFaceSurfaces surfaces_;
  FaceCache cache_;
};

OnePassFace* GdiFaceTest::reference_ = nullptr;

TEST_F(GdiFaceTest, OriginalComposedFromCacheEqualsOnePassPaint) {
  FaceWalk steps(1301, Original, false);
  walk(steps, kStepsPerSkin);
}

TEST_F(GdiFaceTest, VintageComposedFromCacheEqualsOnePassPaint) {
  FaceWalk steps(1302, Vintage, false);
  walk(steps, kStepsPerSkin);
}

TEST_F(GdiFaceTest, SilverComposedFromCacheEqualsOnePassPaint) {
  FaceWalk steps(1303, Silver, false);
  walk(steps, kStepsPerSkin);
}

// Backdrops are kept per appearance: coming back to one reuses it under a changed frame.
TEST_F(GdiFaceTest, SwitchingAppearancesKeepsEveryFaceEqualToOnePassPaint) {
  FaceWalk steps(1304, Vintage, true);
  walk(steps, kStepsAcrossSkins);
}

TEST_F(GdiFaceTest, CachedSurfacesHoldOneBitmapPerAppearanceShownAndTheFrame) {
  FaceState state{};
  state.activeParam = -1;
  for (int32_t skin = 0; skin < kNumSkins; ++skin) {
    state.skin = skin;
    ASSERT_TRUE(compose(state));
  }
  BITMAP frame{};
  ASSERT_NE(GetObjectW(GetCurrentObject(surfaces_.frameDc(), OBJ_BITMAP), sizeof frame, &frame), 0);
  const size_t bitmapBytes = static_cast<size_t>(frame.bmWidthBytes) * frame.bmHeight;
  EXPECT_EQ(surfaces_.pixelBytes(), 4 * bitmapBytes);
  std::printf("face cache: %zu bytes per bitmap, %zu bytes with all three backdrops\n", bitmapBytes,
              surfaces_.pixelBytes());
  surfaces_.release();
  EXPECT_EQ(surfaces_.pixelBytes(), 0u);
  EXPECT_EQ(surfaces_.frameDc(), nullptr);
}

}  // namespace
