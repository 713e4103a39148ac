// The editor window on Windows: opening and closing, the window class and procedure, the
// 100 ms refresh timer and the paint pipeline, which copies a cached, composed frame to the
// window and redraws only what changed in it.
#include <windows.h>

#include <new>

#include "editor/EditorHost.h"
#include "editor/EditorLink.h"
#include "editor/EditorWindow.h"
#include "editor/FaceComposer.h"
#include "editor/Interaction.h"
#include "editor/Layout.h"
#include "editor/MessageRoute.h"
#include "editor/PaintEditor.h"
#include "editor/WindowPort.h"
#include "editor/win32/GdiCanvas.h"
#include "editor/win32/GdiFaceSurfaces.h"
#include "editor/win32/GdiplusFlat.h"
#include "editor/win32/ModuleHandle.h"

namespace {

constexpr wchar_t kWindowClassName[] = L"BrisalondeMultiSkinVST2_110";
constexpr wchar_t kWindowTitle[] = L"Brisalonde";
constexpr UINT_PTR kRefreshTimerId = 1;
constexpr UINT kRefreshPeriodMs = 100;
constexpr COLORREF kOriginalBackground =
    RGB(kEditorBackground.red, kEditorBackground.green, kEditorBackground.blue);

// The open editor on Windows: the shared record, then the GDI objects, the GDI+ start-ups,
// the window and the cached face.
struct Win32EditorWindow : EditorWindow {
  GdiResources gdi;
  ULONG_PTR gdiplusTokenA;  // 0 when that start-up failed
  ULONG_PTR gdiplusTokenB;
  HWND window;
  GdiFaceSurfaces surfaces;  // made at the first paint, deleted at close
  FaceCache faceCache;
};

HINSTANCE module() {
  return static_cast<HINSTANCE>(moduleInstance);
}

HFONT& fontSlot(Win32EditorWindow& editor, EditorFont font) {
  return editor.gdi.fonts[static_cast<int32_t>(font)];
}

void makeFont(Win32EditorWindow& editor, EditorFont font) {
  fontSlot(editor, font) = makeGdiFont(fontSpecOf(font));
}

void deleteFont(Win32EditorWindow& editor, EditorFont font) {
  DeleteObject(fontSlot(editor, font));
  fontSlot(editor, font) = nullptr;
}

class Win32WindowPort : public WindowPort {
 public:
  Win32WindowPort(HWND window, const Win32EditorWindow& editor)
      : window_(window), editor_(editor) {}
  void setCapture() override { SetCapture(window_); }
  void releaseCaptureIfHeld() override {
    if (GetCapture() == window_) ReleaseCapture();
  }
  void invalidate() override { InvalidateRect(window_, nullptr, FALSE); }
  void screenToClient(int32_t& x, int32_t& y) override {
    POINT point{x, y};
    ScreenToClient(window_, &point);
    x = point.x;
    y = point.y;
  }
  // Every paint copies the frame to the window, so the frame is what the window shows.
  bool showsCurrentFace() override { return frameShowsEditor(editor_.faceCache, editor_); }

 private:
  HWND window_;
  const Win32EditorWindow& editor_;
};

void startGdiplus(ULONG_PTR& token) {
  const gdiplus::StartupInput input{1, nullptr, FALSE, FALSE};
  gdiplus::GdiplusStartup(&token, &input, nullptr);
}

// When the cache cannot serve (a bitmap could not be made, or the skin is none of the three):
// the whole face is drawn into a back buffer made for this paint.
void paintInOnePass(Win32EditorWindow& editor, HDC paintDc, const double values[kNumParams],
                    int32_t skin) {
  HDC memoryDc = CreateCompatibleDC(paintDc);
  HBITMAP bitmap = CreateCompatibleBitmap(paintDc, kWindowWidth, kWindowHeight);
  HGDIOBJ keptBitmap = SelectObject(memoryDc, bitmap);
  {
    GdiCanvas canvas(memoryDc, editor.gdi);
    paintEditor(canvas, values, skin, editor.activeParam);
  }
  BitBlt(paintDc, 0, 0, kWindowWidth, kWindowHeight, memoryDc, 0, 0, SRCCOPY);
  SelectObject(memoryDc, keptBitmap);
  DeleteObject(bitmap);
  DeleteDC(memoryDc);
}

// Every paint puts the whole face on the window, whatever the update region; the painters
// run only for what changed since the frame was last composed.
void paint(Win32EditorWindow& editor, HWND hwnd) {
  PAINTSTRUCT ps;
  HDC paintDc = BeginPaint(hwnd, &ps);
  double values[kNumParams];
  for (int32_t id = 0; id < kNumParams; ++id)
    values[id] = editor.owner->value(id);
  const int32_t skin = editor.owner->skin();

  editor.surfaces.beginPaint(paintDc, editor.gdi);
  const bool composed =
      composeFace(editor.faceCache, editor.surfaces, values, skin, editor.activeParam);
  editor.surfaces.endPaint();
  if (composed) {
    BitBlt(paintDc, 0, 0, kWindowWidth, kWindowHeight, editor.surfaces.frameDc(), 0, 0, SRCCOPY);
  } else {
    paintInOnePass(editor, paintDc, values, skin);
  }
  EndPaint(hwnd, &ps);
}

LRESULT handleMessage(Win32EditorWindow* editor, HWND hwnd, UINT message, WPARAM wParam,
                      LPARAM lParam) {
  Win32WindowPort port(hwnd, *editor);
  const RouteResult route = routeMessage(*editor, port, message, wParam, lParam);
  switch (route.kind) {
    case RouteResult::Kind::Paint:
      paint(*editor, hwnd);
      return 0;
    case RouteResult::Kind::Handled:
      return route.result;
    case RouteResult::Kind::Default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK editorWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* editor = reinterpret_cast<Win32EditorWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    editor =
        static_cast<Win32EditorWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(editor));
  }
  if (editor != nullptr) return handleMessage(editor, hwnd, message, wParam, lParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void registerWindowClass() {
  WNDCLASSW windowClass{};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = editorWindowProc;
  windowClass.hInstance = module();
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = kWindowClassName;
  // Fails when another instance's editor registered the class already; that class serves.
  RegisterClassW(&windowClass);
}

}  // namespace

int openEditor(EditorWindow*& slot, EditorLink& owner, void* parentWindow) {
  if (parentWindow == nullptr) return 0;
  closeEditor(slot);
  auto* editor = new (std::nothrow) Win32EditorWindow{};
  if (editor == nullptr) {
    slot = nullptr;
    return 0;
  }
  editor->owner = &owner;
  makeFont(*editor, EditorFont::Label);
  makeFont(*editor, EditorFont::Title);
  editor->gdi.backgroundBrush = CreateSolidBrush(kOriginalBackground);
  // Two start-ups, shut down in reverse order when the editor closes.
  editor->gdiplusTokenA = 0;
  editor->gdiplusTokenB = 0;
  startGdiplus(editor->gdiplusTokenA);
  startGdiplus(editor->gdiplusTokenB);
  editor->window = nullptr;
  editor->activeParam = -1;
  editor->dragAnchorY = 0;
  editor->dragAnchorValue = 0.0;
  fontSlot(*editor, EditorFont::Small) = nullptr;
  slot = editor;

  registerWindowClass();
  makeFont(*editor, EditorFont::Small);
  HWND window =
      CreateWindowExW(0, kWindowClassName, kWindowTitle, WS_CHILD | WS_VISIBLE, 0, 0, kWindowWidth,
                      kWindowHeight, static_cast<HWND>(parentWindow), nullptr, module(), editor);
  editor->window = window;
  if (window == nullptr) {
    deleteFont(*editor, EditorFont::Small);
    UnregisterClassW(kWindowClassName, module());
    closeEditor(slot);
    return 0;
  }
  SetTimer(window, kRefreshTimerId, kRefreshPeriodMs, nullptr);
  return 1;
}

void closeEditor(EditorWindow*& slot) {
  auto* editor = static_cast<Win32EditorWindow*>(slot);
  if (editor == nullptr) return;
  if (editor->window != nullptr) {
    HWND window = editor->window;
    KillTimer(window, kRefreshTimerId);
    Win32WindowPort port(window, *editor);
    endDragOnClose(*editor, port);
    DestroyWindow(window);
    editor->window = nullptr;
    editor->surfaces.release();
    editor->faceCache = FaceCache{};
    // Fails while another instance's editor window still uses the class; it stays then.
    UnregisterClassW(kWindowClassName, module());
    deleteFont(*editor, EditorFont::Small);
  }
  if (editor->gdiplusTokenB != 0) gdiplus::GdiplusShutdown(editor->gdiplusTokenB);
  if (editor->gdiplusTokenA != 0) gdiplus::GdiplusShutdown(editor->gdiplusTokenA);
  deleteFont(*editor, EditorFont::Label);
  deleteFont(*editor, EditorFont::Title);
  DeleteObject(editor->gdi.backgroundBrush);
  // Freed only now: messages sent while the window was destroyed still found the record.
  delete editor;
  slot = nullptr;
}

void idleEditor(EditorWindow*) {}

// The window's own timer and messages serve the editor on Windows.
uintptr_t editorWindowHandle(EditorWindow* slot) {
  return slot == nullptr
             ? 0
             : reinterpret_cast<uintptr_t>(static_cast<Win32EditorWindow*>(slot)->window);
}

int editorEventSource(EditorWindow*) {
  return -1;
}
