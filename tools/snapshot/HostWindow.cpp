// The stand-in host frame and the read-back of painted pixels.
#include "tools/snapshot/HostWindow.h"

namespace {

constexpr wchar_t kHostClassName[] = L"BrisalondeSnapshotHost";

void registerHostClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kHostClassName;
  registered = RegisterClassW(&windowClass) != 0;
}

struct ChildSearch {
  const wchar_t* className;
  HWND first;
  int count;
};

BOOL CALLBACK visitChild(HWND child, LPARAM context) {
  auto* search = reinterpret_cast<ChildSearch*>(context);
  wchar_t name[128];
  if (GetClassNameW(child, name, 128) > 0 && lstrcmpW(name, search->className) == 0) {
    if (search->first == nullptr) search->first = child;
    ++search->count;
  }
  return TRUE;
}

}  // namespace

HostWindow::HostWindow(int32_t clientWidth, int32_t clientHeight) {
  registerHostClass();
  RECT frame{0, 0, clientWidth, clientHeight};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  AdjustWindowRect(&frame, style, FALSE);
  window_ = CreateWindowExW(0, kHostClassName, L"Brisalonde host", style, 0, 0,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) return;
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  pumpMessages(50);
}

HostWindow::~HostWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
  pumpMessages(10);
}

void pumpMessages(DWORD milliseconds) {
  // The time is checked between messages too: a paint slower than the editor's timer period
  // would otherwise keep the queue busy for ever.
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (GetTickCount() - start < milliseconds &&
           PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}

HWND findChildOfClass(HWND parent, const wchar_t* className, int* count) {
  ChildSearch search{className, nullptr, 0};
  EnumChildWindows(parent, visitChild, reinterpret_cast<LPARAM>(&search));
  if (count != nullptr) *count = search.count;
  return search.first;
}

bool captureClient(HWND window, Capture& out) {
  UpdateWindow(window);
  RECT client;
  if (!GetClientRect(window, &client)) return false;
  const int32_t width = client.right - client.left;
  const int32_t height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return false;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC windowDc = GetDC(window);
  HDC memoryDc = CreateCompatibleDC(windowDc);
  HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool copied = false;
  if (bitmap != nullptr && bits != nullptr) {
    HGDIOBJ kept = SelectObject(memoryDc, bitmap);
    copied = BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY) != 0;
    GdiFlush();
    out.width = width;
    out.height = height;
    const auto* source = static_cast<const uint32_t*>(bits);
    out.pixels.assign(source, source + static_cast<size_t>(width) * height);
    for (uint32_t& pixel : out.pixels)
      pixel &= 0x00FFFFFF;
    SelectObject(memoryDc, kept);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  DeleteDC(memoryDc);
  ReleaseDC(window, windowDc);
  return copied;
}
