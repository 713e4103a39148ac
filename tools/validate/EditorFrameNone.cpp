// The editor frame where the validator was built without a window system.
#include "tools/validate/EditorFrame.h"

std::unique_ptr<EditorFrame> EditorFrame::create(int, int, std::string& why) {
  why = "this build has no window system to open editors in";
  return nullptr;
}
