// The one-pass reference face.
#include "tests/facecache/OnePassFace.h"

#include "editor/Layout.h"
#include "editor/PaintEditor.h"
#include "editor/win32/GdiplusFlat.h"

namespace {

constexpr COLORREF kOriginalBackground = RGB(20, 34, 38);
constexpr uint32_t kColourBits = 0x00FFFFFF;

}  // namespace

OnePassFace::OnePassFace() {
  const gdiplus::StartupInput input{1, nullptr, FALSE, FALSE};
  gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr);
  for (int32_t font = 0; font < kNumEditorFonts; ++font)
    resources_.fonts[font] = makeGdiFont(kEditorFonts[font]);
  resources_.backgroundBrush = CreateSolidBrush(kOriginalBackground);
  screen_ = GetDC(nullptr);
}

OnePassFace::~OnePassFace() {
  ReleaseDC(nullptr, screen_);
  for (HFONT font : resources_.fonts)
    DeleteObject(font);
  DeleteObject(resources_.backgroundBrush);
  if (gdiplusToken_ != 0) gdiplus::GdiplusShutdown(gdiplusToken_);
}

FacePixels OnePassFace::paint(const FaceState& state) const {
  HDC dc = CreateCompatibleDC(screen_);
  HBITMAP bitmap = CreateCompatibleBitmap(screen_, kWindowWidth, kWindowHeight);
  HGDIOBJ kept = SelectObject(dc, bitmap);
  {
    GdiCanvas canvas(dc, resources_);
    paintEditor(canvas, state.values, state.skin, state.activeParam);
  }
  FacePixels pixels = readFacePixels(dc);
  SelectObject(dc, kept);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

FacePixels readFacePixels(HDC dc) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kWindowWidth;
  info.bmiHeader.biHeight = -kWindowHeight;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (copy == nullptr || bits == nullptr) return {};
  HDC copyDc = CreateCompatibleDC(dc);
  HGDIOBJ kept = SelectObject(copyDc, copy);
  BitBlt(copyDc, 0, 0, kWindowWidth, kWindowHeight, dc, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* first = static_cast<const uint32_t*>(bits);
  FacePixels pixels(first, first + kWindowWidth * kWindowHeight);
  SelectObject(copyDc, kept);
  DeleteDC(copyDc);
  DeleteObject(copy);
  return pixels;
}

FacePixels colourOnly(FacePixels pixels) {
  for (uint32_t& pixel : pixels)
    pixel &= kColourBits;
  return pixels;
}
