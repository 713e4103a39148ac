// The cached face against the one-pass paint, through the real drawing layer of the program
// (GDI and GDI+ under wine, cairo on Linux): for random walks through the states of every
// appearance, the frame that the surfaces compose equals, bit for bit, the face painted in
// one pass on a new back buffer, as the window did before it kept a cache.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "params/SkinId.h"
#include "tests/facecache/IdentitySurface.h"

namespace {

constexpr int kStepsPerSkin = 40;
constexpr int kStepsAcrossSkins = 40;

class FaceIdentityTest : public ::testing::Test {
 protected:
  // Walks and compares the composed frame with the one-pass face after every step.
  void walk(FaceWalk& walk, int steps) {
    std::string history = "start";
    for (int k = 0; k <= steps; ++k) {
      ASSERT_TRUE(surface_->compose(walk.state()));
      ASSERT_EQ(pictureDifference(surface_->composed(), surface_->onePass(walk.state())), "")
          << "after step " << k << " (" << history << ") in skin " << walk.state().skin;
      history = walk.step();
    }
  }

  std::unique_ptr<IdentitySurface> surface_ = makeIdentitySurface();
};

// One walk per appearance, each with a seed of its own.
class FaceIdentityWalk : public FaceIdentityTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(FaceIdentityWalk, ComposedFromCacheEqualsOnePassPaint) {
  FaceWalk steps(1301 + static_cast<uint32_t>(GetParam()), GetParam(), false);
  walk(steps, kStepsPerSkin);
}

INSTANTIATE_TEST_SUITE_P(EverySkin, FaceIdentityWalk, ::testing::Values(Original, Vintage, Silver),
                         [](const ::testing::TestParamInfo<int32_t>& info) {
                           return std::string(info.param == Original  ? "Original"
                                              : info.param == Vintage ? "Vintage"
                                                                      : "Silver");
                         });

// Backdrops are kept per appearance: coming back to one reuses it under a changed frame.
TEST_F(FaceIdentityTest, SwitchingAppearancesKeepsEveryFaceEqualToOnePassPaint) {
  FaceWalk steps(1304, Vintage, true);
  walk(steps, kStepsAcrossSkins);
}

TEST_F(FaceIdentityTest, CachedSurfacesHoldOnePicturePerAppearanceShownAndTheFrame) {
  FaceState state{};
  state.activeParam = -1;
  ASSERT_TRUE(surface_->compose(state));
  EXPECT_EQ(surface_->pixelBytes(), 2 * surface_->pictureBytes());
  for (int32_t skin = 0; skin < kNumSkins; ++skin) {
    state.skin = skin;
    ASSERT_TRUE(surface_->compose(state));
  }
  EXPECT_EQ(surface_->pixelBytes(), 4 * surface_->pictureBytes());
  std::printf("face cache: %zu bytes per picture, %zu bytes with all three backdrops\n",
              surface_->pictureBytes(), surface_->pixelBytes());
  surface_->release();
  EXPECT_EQ(surface_->pixelBytes(), 0u);
  EXPECT_TRUE(surface_->composed().empty()) << "no frame is kept";
}

// Surfaces made again after release start as a new back buffer does, and the composition is
// redone from scratch rather than from a stale frame.
TEST_F(FaceIdentityTest, ReleasedSurfacesComposeAgainFromAnEmptyCache) {
  FaceWalk steps(1305, Silver, false);
  ASSERT_TRUE(surface_->compose(steps.state()));
  surface_->release();
  steps.step();
  ASSERT_TRUE(surface_->compose(steps.state()));
  EXPECT_EQ(pictureDifference(surface_->composed(), surface_->onePass(steps.state())), "");
}

}  // namespace
