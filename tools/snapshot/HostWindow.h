// A top-level window standing in for a host's editor frame, and reading back what a child
// window painted. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>

#include "tools/snapshot/Capture.h"

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

// Paints whatever is pending, then copies the client area. False when nothing could be read.
bool captureClient(HWND window, Capture& out);
