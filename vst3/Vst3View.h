// Our declarations of the VST 3 binary interface, part 6: the editor view, the host's frame
// around it, and on Linux the host's run loop that serves the view's file descriptors and
// timers.
#pragma once

#include "vst3/Vst3Base.h"

namespace vst3 {

struct ViewRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};
static_assert(sizeof(ViewRect) == 16);

inline constexpr const char* kPlatformTypeHWND = "HWND";
inline constexpr const char* kPlatformTypeX11EmbedWindowID = "X11EmbedWindowID";

class IPlugFrame;

class IPlugView : public FUnknown {
 public:
  virtual tresult VST3_CALL isPlatformTypeSupported(FIDString type) = 0;
  virtual tresult VST3_CALL attached(void* parent, FIDString type) = 0;
  virtual tresult VST3_CALL removed() = 0;
  virtual tresult VST3_CALL onWheel(float distance) = 0;
  virtual tresult VST3_CALL onKeyDown(char16 key, int16_t keyCode, int16_t modifiers) = 0;
  virtual tresult VST3_CALL onKeyUp(char16 key, int16_t keyCode, int16_t modifiers) = 0;
  virtual tresult VST3_CALL getSize(ViewRect* size) = 0;
  virtual tresult VST3_CALL onSize(ViewRect* newSize) = 0;
  virtual tresult VST3_CALL onFocus(TBool state) = 0;
  virtual tresult VST3_CALL setFrame(IPlugFrame* frame) = 0;
  virtual tresult VST3_CALL canResize() = 0;
  virtual tresult VST3_CALL checkSizeConstraint(ViewRect* rect) = 0;
};
inline constexpr Uid kIidIPlugView{0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29};

class IPlugFrame : public FUnknown {
 public:
  virtual tresult VST3_CALL resizeView(IPlugView* view, ViewRect* newSize) = 0;
};
inline constexpr Uid kIidIPlugFrame{0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3};

// Linux only: the host's loop calls these back on its GUI thread.
class IEventHandler : public FUnknown {
 public:
  virtual void VST3_CALL onFDIsSet(int fd) = 0;
};
inline constexpr Uid kIidIEventHandler{0x561E65C9, 0x13A0496F, 0x813A2C35, 0x654D7983};

class ITimerHandler : public FUnknown {
 public:
  virtual void VST3_CALL onTimer() = 0;
};
inline constexpr Uid kIidITimerHandler{0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9};

class IRunLoop : public FUnknown {
 public:
  virtual tresult VST3_CALL registerEventHandler(IEventHandler* handler, int fd) = 0;
  virtual tresult VST3_CALL unregisterEventHandler(IEventHandler* handler) = 0;
  virtual tresult VST3_CALL registerTimer(ITimerHandler* handler, uint64_t milliseconds) = 0;
  virtual tresult VST3_CALL unregisterTimer(ITimerHandler* handler) = 0;
};
inline constexpr Uid kIidIRunLoop{0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389};

}  // namespace vst3
