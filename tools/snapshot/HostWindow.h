// A top-level window standing in for a host's editor frame, and reading back what a child
// window painted. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// A visible top-level window whose client area can hold the editor.
class HostWindow {
 public:
  HostWindow(int32_t clientWidth, int32_t clientHeight);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// Dispatches the thread's pending messages for about `milliseconds`.
void pumpMessages(DWORD milliseconds);

// The child window of `parent` with this class name, or null; `count` receives how many
// such children exist.
HWND findChildOfClass(HWND parent, const wchar_t* className, int* count = nullptr);

// Pixels of a window's client area, top row first, as 0x00RRGGBB.
struct Capture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Paints whatever is pending, then copies the client area. False when nothing could be read.
bool captureClient(HWND window, Capture& out);

constexpr uint32_t rgbPixel(uint8_t red, uint8_t green, uint8_t blue) {
  return (static_cast<uint32_t>(red) << 16) | (static_cast<uint32_t>(green) << 8) | blue;
}
