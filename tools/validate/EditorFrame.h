// A window of the host's in which a plug-in opens its editor: a Win32 top-level window on
// Windows, an X11 window on Linux where a display is reachable.
#pragma once

#include <memory>
#include <string>

class EditorFrame {
 public:
  // Null with `why` set when no window can be made here.
  static std::unique_ptr<EditorFrame> create(int width, int height, std::string& why);
  virtual ~EditorFrame() = default;

  // What the host hands to effEditOpen.
  virtual void* handle() const = 0;
  // Windows directly inside the frame: the editor's.
  virtual int childCount() = 0;
  // Lets the windows handle their messages for about `milliseconds`.
  virtual void pump(int milliseconds) = 0;
};
