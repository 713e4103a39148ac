// The editor frame on Windows: the host window the snapshot tool uses too.
#include <windows.h>

#include "tools/snapshot/HostWindow.h"
#include "tools/validate/EditorFrame.h"

namespace {

class Win32Frame : public EditorFrame {
 public:
  Win32Frame(int width, int height) : window_(width, height) {}
  bool ok() const { return window_.handle() != nullptr; }
  void* handle() const override { return window_.handle(); }
  int childCount() override {
    int count = 0;
    for (HWND child = GetWindow(window_.handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
      ++count;
    return count;
  }
  void pump(int milliseconds) override { pumpMessages(static_cast<DWORD>(milliseconds)); }

 private:
  HostWindow window_;
};

}  // namespace

std::unique_ptr<EditorFrame> EditorFrame::create(int width, int height, std::string& why) {
  auto frame = std::make_unique<Win32Frame>(width, height);
  if (!frame->ok()) {
    why = "cannot create a host window";
    return nullptr;
  }
  return frame;
}
