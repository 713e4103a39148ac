// The cached face against the one-pass paint through cairo: for random walks through the
// states of every appearance, the frame that the Linux surfaces compose equals, bit for bit,
// the face painted in one pass with the cairo canvas into a new image surface, as the X11
// window did before it kept a cache.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "editor/FaceComposer.h"
#include "editor/Layout.h"
#include "editor/PaintEditor.h"
#include "editor/cairo/CairoCanvas.h"
#include "editor/cairo/CairoFaceSurfaces.h"
#include "tests/facecache/FaceWalk.h"

namespace {

constexpr int kStepsPerSkin = 40;
constexpr int kStepsAcrossSkins = 40;
constexpr size_t kPicturePixels = size_t{kWindowWidth} * kWindowHeight;

// Every pixel of a face, top row first, all 32 bits as the surface holds them.
std::vector<uint32_t> pixelsOf(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  std::vector<uint32_t> pixels(kPicturePixels);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int32_t y = 0; y < kWindowHeight; ++y)
    std::memcpy(&pixels[size_t(y) * kWindowWidth], data + ptrdiff_t(y) * stride,
                sizeof(uint32_t) * kWindowWidth);
  return pixels;
}

// Empty when the two pictures are equal; else how many pixels differ and where the first is.
std::string pictureDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  size_t differing = 0;
  size_t first = 0;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && differing++ == 0) first = i;
  if (differing == 0) return {};
  return std::to_string(differing) + " pixels differ, the first at (" +
         std::to_string(first % kWindowWidth) + ", " + std::to_string(first / kWindowWidth) + ")";
}

class CairoFaceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { fonts_ = new CairoFonts; }
  static void TearDownTestSuite() {
    delete fonts_;
    fonts_ = nullptr;
  }

  bool compose(const FaceState& state) {
    surfaces_.beginPaint(*fonts_);
    const bool composed =
        composeFace(cache_, surfaces_, state.values, state.skin, state.activeParam);
    surfaces_.endPaint();
    return composed;
  }

  static std::vector<uint32_t> onePass(const FaceState& state) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWindowWidth, kWindowHeight);
    {
      CairoCanvas canvas(surface, *fonts_);
      paintEditor(canvas, state.values, state.skin, state.activeParam);
    }
    std::vector<uint32_t> pixels = pixelsOf(surface);
    cairo_surface_destroy(surface);
    return pixels;
  }

  // Walks and compares the composed frame with the one-pass face after every step.
  void walk(FaceWalk& walk, int steps) {
    std::string history = "start";
    for (int k = 0; k <= steps; ++k) {
      ASSERT_TRUE(compose(walk.state()));
      ASSERT_EQ(pictureDifference(pixelsOf(surfaces_.frameSurface()), onePass(walk.state())), "")
          << "after step " << k << " (" << history << ") in skin " << walk.state().skin;
      history = walk.step();
    }
  }

  static CairoFonts* fonts_;
  CairoFaceSurfaces surfaces_;
  FaceCache cache_;
};

CairoFonts* CairoFaceTest::fonts_ = nullptr;

TEST_F(CairoFaceTest, OriginalComposedFromCacheEqualsOnePassPaint) {
  FaceWalk steps(1321, Original, false);
  walk(steps, kStepsPerSkin);
}

TEST_F(CairoFaceTest, VintageComposedFromCacheEqualsOnePassPaint) {
  FaceWalk steps(1322, Vintage, false);
  walk(steps, kStepsPerSkin);
}

TEST_F(CairoFaceTest, SilverComposedFromCacheEqualsOnePassPaint) {
  FaceWalk steps(1323, Silver, false);
  walk(steps, kStepsPerSkin);
}

// Backdrops are kept per appearance: coming back to one reuses it under a changed frame.
TEST_F(CairoFaceTest, SwitchingAppearancesKeepsEveryFaceEqualToOnePassPaint) {
  FaceWalk steps(1324, Vintage, true);
  walk(steps, kStepsAcrossSkins);
}

TEST_F(CairoFaceTest, CachedSurfacesHoldOneImagePerAppearanceShownAndTheFrame) {
  FaceState state{};
  state.activeParam = -1;
  ASSERT_TRUE(compose(state));
  const size_t imageBytes = size_t(cairo_image_surface_get_stride(surfaces_.frameSurface())) *
                            size_t(cairo_image_surface_get_height(surfaces_.frameSurface()));
  EXPECT_EQ(surfaces_.pixelBytes(), 2 * imageBytes);
  for (int32_t skin = 0; skin < kNumSkins; ++skin) {
    state.skin = skin;
    ASSERT_TRUE(compose(state));
  }
  EXPECT_EQ(surfaces_.pixelBytes(), 4 * imageBytes);
  std::printf("face cache: %zu bytes per image, %zu bytes with all three backdrops\n", imageBytes,
              surfaces_.pixelBytes());
  surfaces_.release();
  EXPECT_EQ(surfaces_.pixelBytes(), 0u);
  EXPECT_EQ(surfaces_.frameSurface(), nullptr);
}

// A surface made again after release starts black, as a new one-pass back buffer does, and
// the composition is redone from scratch rather than from a stale frame.
TEST_F(CairoFaceTest, ReleasedSurfacesComposeAgainFromAnEmptyCache) {
  FaceWalk steps(1325, Silver, false);
  ASSERT_TRUE(compose(steps.state()));
  surfaces_.release();
  cache_ = FaceCache{};
  steps.step();
  ASSERT_TRUE(compose(steps.state()));
  EXPECT_EQ(pictureDifference(pixelsOf(surfaces_.frameSurface()), onePass(steps.state())), "");
}

}  // namespace
