// The editor's picture on Windows: a top-level window, the editor's messages pumped, and the
// client area copied back.
#include <windows.h>

#include "tools/snapshot/EditorPhoto.h"
#include "tools/snapshot/HostWindow.h"

namespace {

constexpr wchar_t kEditorClassName[] = L"BrisalondeMultiSkinVST2_110";
constexpr DWORD kSettleMs = 300;

}  // namespace

bool photographEditor(AEffect* effect, const PressPoint& press, Capture& out, std::string& error) {
  HostWindow host(kWindowWidth, kWindowHeight);
  if (host.handle() == nullptr) {
    error = "cannot create a window (is a display set?)";
    return false;
  }
  if (effect->dispatcher(effect, effEditOpen, 0, 0, host.handle(), 0.0f) != 1) {
    error = "the plug-in did not open its editor";
    return false;
  }
  HWND editor = findChildOfClass(host.handle(), kEditorClassName);
  bool taken = false;
  if (editor != nullptr) {
    const LPARAM point = MAKELPARAM(press.x, press.y);
    if (press.held) SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, point);
    pumpMessages(kSettleMs);
    if (press.held) InvalidateRect(editor, nullptr, FALSE);
    taken = captureClient(editor, out);
    if (!taken) error = "cannot read back the picture";
    if (press.held) SendMessageW(editor, WM_LBUTTONUP, 0, point);
  } else {
    error = "no editor window found";
  }
  effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
  return taken;
}

std::string defaultPluginPath() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  const size_t slash = folder.find_last_of("\\/");
  folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
  return folder + "Brisalonde.dll";
}
