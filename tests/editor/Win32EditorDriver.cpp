// The editor scenarios' driver for the Windows editor under wine: the real DLL's window in
// host frames that live for the whole program (making and mapping a window costs seconds
// there), mouse messages sent as the system would send them, and time passing as the
// thread's message loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "editor/WindowSize.h"
#include "tests/editor/EditorDriver.h"
#include "tests/editor/Win32HostFrames.h"
#include "tools/snapshot/HostWindow.h"

namespace {

constexpr wchar_t kEditorClass[] = L"BrisalondeMultiSkinVST2_110";
constexpr int kFrames = 2;
constexpr int16_t kWheelNotch = 120;
constexpr DWORD kRefreshWaitMs = 250;  // beyond the 100 ms tick, with room for a slow server

class Win32EditorDriver : public EditorDriver {
 public:
  bool open(AEffect* effect, int frame) override {
    useFrame(frame);
    HWND parent = win32HostFrame(frame);
    if (parent == nullptr) {
      ADD_FAILURE() << "no host window: the wine tests need a display";
      return false;
    }
    if (effect->dispatcher(effect, effEditOpen, 0, 0, parent, 0.0f) != 1) return false;
    return editorWindows(frame) == 1;
  }
  void close(AEffect* effect) override {
    effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
  }
  void forget(AEffect*) override {}
  int editorWindows(int frame) override {
    int count = 0;
    findChildOfClass(win32HostFrame(frame), kEditorClass, &count);
    return count;
  }
  void useFrame(int frame) override { frame_ = frame; }

  void moveTo(int32_t x, int32_t y) override {
    x_ = x;
    y_ = y;
    send(WM_MOUSEMOVE, keys());
  }
  void press(int32_t x, int32_t y) override {
    moveTo(x, y);
    buttonHeld_ = true;
    send(WM_LBUTTONDOWN, keys());
  }
  void release() override {
    buttonHeld_ = false;
    send(WM_LBUTTONUP, keys());
  }
  // The messages the system makes of two quick clicks on a window of a double-click class.
  void doubleClick(int32_t x, int32_t y) override {
    press(x, y);
    release();
    buttonHeld_ = true;
    send(WM_LBUTTONDBLCLK, keys());
    release();
  }
  void wheel(int32_t x, int32_t y, int notches) override {
    moveTo(x, y);
    POINT point{x, y};
    ClientToScreen(editor(), &point);
    const int16_t delta = notches > 0 ? kWheelNotch : -kWheelNotch;
    for (int i = 0; i < std::abs(notches); ++i)
      SendMessageW(editor(), WM_MOUSEWHEEL, MAKEWPARAM(keys(), static_cast<WORD>(delta)),
                   MAKELPARAM(point.x, point.y));
  }
  void holdShift(bool down) override { shiftHeld_ = down; }
  void otherButtons() override {
    for (UINT message : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP})
      send(message, keys());
  }
  bool editorHoldsPointer() override {
    HWND captured = GetCapture();
    return captured != nullptr && captured == editor();
  }

  void pause(int milliseconds) override { pumpMessages(static_cast<DWORD>(milliseconds)); }
  void awaitRefresh() override { pumpMessages(kRefreshWaitMs); }
  Capture picture(int frame) override {
    Capture capture;
    HWND window = findChildOfClass(win32HostFrame(frame), kEditorClass);
    EXPECT_TRUE(window != nullptr && captureClient(window, capture)) << "frame " << frame;
    EXPECT_EQ(capture.width, kWindowWidth);
    EXPECT_EQ(capture.height, kWindowHeight);
    return capture;
  }

 private:
  HWND editor() const { return findChildOfClass(win32HostFrame(frame_), kEditorClass); }
  WORD keys() const {
    return static_cast<WORD>((buttonHeld_ ? MK_LBUTTON : 0) | (shiftHeld_ ? MK_SHIFT : 0));
  }
  void send(UINT message, WPARAM wParam) {
    SendMessageW(editor(), message, wParam, MAKELPARAM(x_, y_));
  }

  int frame_ = 0;
  int32_t x_ = 0;
  int32_t y_ = 0;
  bool buttonHeld_ = false;
  bool shiftHeld_ = false;
};

}  // namespace

HWND win32HostFrame(int frame) {
  static HostWindow* frames[kFrames] = {};
  if (frame < 0 || frame >= kFrames) return nullptr;
  if (frames[frame] == nullptr) frames[frame] = new HostWindow(kWindowWidth, kWindowHeight);
  return frames[frame]->handle();
}

std::unique_ptr<EditorDriver> makeEditorDriver() {
  return std::make_unique<Win32EditorDriver>();
}
