// The cached face against the one-pass paint through the real GDI and GDI+ layer: for random
// walks through the states of every appearance, the frame that the Windows surfaces compose
// equals, bit for bit, the face painted in one pass into a new bitmap, as the window did
// before it kept a cache.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <vector>

#include "editor/FaceComposer.h"
#include "editor/Layout.h"
#include "editor/Painters.h"
#include "editor/win32/GdiCanvas.h"
#include "editor/win32/GdiFaceSurfaces.h"
#include "editor/win32/GdiplusFlat.h"
#include "tests/facecache/FaceWalk.h"

namespace {

constexpr int kStepsPerSkin = 40;
constexpr int kStepsAcrossSkins = 40;

using Pixels = std::vector<uint32_t>;

// GDI+, the editor's fonts and brush, and a screen device context to make bitmaps with.
class GdiFaceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const gdiplus::StartupInput input{1, nullptr, FALSE, FALSE};
    gdiplus::GdiplusStartup(&token_, &input, nullptr);
    for (int32_t font = 0; font < kNumEditorFonts; ++font)
      resources_.fonts[font] = makeGdiFont(kEditorFonts[font]);
    resources_.backgroundBrush = CreateSolidBrush(RGB(20, 34, 38));
    screen_ = GetDC(nullptr);
  }
  static void TearDownTestSuite() {
    ReleaseDC(nullptr, screen_);
    for (HFONT font : resources_.fonts)
      DeleteObject(font);
    DeleteObject(resources_.backgroundBrush);
    gdiplus::GdiplusShutdown(token_);
  }

  // All 32 bits of every pixel of the bitmap selected into `dc`.
  static Pixels readBack(HDC dc) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWindowWidth;
    info.bmiHeader.biHeight = -kWindowHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC copyDc = CreateCompatibleDC(dc);
    HGDIOBJ kept = SelectObject(copyDc, copy);
    BitBlt(copyDc, 0, 0, kWindowWidth, kWindowHeight, dc, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const uint32_t*>(bits);
    Pixels pixels(first, first + kWindowWidth * kWindowHeight);
    SelectObject(copyDc, kept);
    DeleteDC(copyDc);
    DeleteObject(copy);
    return pixels;
  }

  // The face in one pass on a new bitmap, as the window painted before the cache.
  static Pixels onePass(const FaceState& state) {
    HDC dc = CreateCompatibleDC(screen_);
    HBITMAP bitmap = CreateCompatibleBitmap(screen_, kWindowWidth, kWindowHeight);
    HGDIOBJ kept = SelectObject(dc, bitmap);
    {
      GdiCanvas canvas(dc, resources_);
      paintEditor(canvas, state.values, state.skin, state.activeParam);
    }
    Pixels pixels = readBack(dc);
    SelectObject(dc, kept);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
  }

  bool compose(const FaceState& state) {
    surfaces_.beginPaint(screen_, resources_);
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
      const Pixels cached = readBack(surfaces_.frameDc());
      const Pixels reference = onePass(walk.state());
      ASSERT_EQ(cached.size(), reference.size());
      size_t differing = 0;
      size_t first = 0;
      for (size_t i = 0; i < cached.size(); ++i)
        if (cached[i] != reference[i] && differing++ == 0) first = i;
      ASSERT_EQ(differing, 0u) << "after step " << k << " (" << history << ") in skin "
                               << walk.state().skin << ": first at (" << first % kWindowWidth
                               << ", " << first / kWindowWidth << ")";
      history = walk.step();
    }
  }

  static ULONG_PTR token_;
  static GdiResources resources_;
  static HDC screen_;
  GdiFaceSurfaces surfaces_;
  FaceCache cache_;
};

ULONG_PTR GdiFaceTest::token_ = 0;
GdiResources GdiFaceTest::resources_{};
HDC GdiFaceTest::screen_ = nullptr;

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
