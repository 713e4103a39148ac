// The editor as a VST 3 view: the same editor window as the VST 2 build's, 860 x 530 and not
// resizable, in a host window (X11EmbedWindowID on Linux, HWND on Windows). On Linux the
// window's display connection and refresh are served from the host's run loop, as hosts
// there forward no window events.
#pragma once

#include <atomic>
#include <cstdint>

#include "vst3/Vst3View.h"

namespace brisalonde_vst3 {

class Vst3Instance;

class EditorView final : public vst3::IPlugView,
                         public vst3::IEventHandler,
                         public vst3::ITimerHandler {
 public:
  // Refresh period asked of the run loop; hosts require more than 0 ms.
  static constexpr uint64_t kTimerMilliseconds = 30;

  explicit EditorView(Vst3Instance& instance);  // holds a reference on the instance
  ~EditorView();
  EditorView(const EditorView&) = delete;
  EditorView& operator=(const EditorView&) = delete;

  vst3::tresult VST3_CALL queryInterface(const vst3::TUID iid, void** obj) override;
  uint32_t VST3_CALL addRef() override;
  uint32_t VST3_CALL release() override;

  vst3::tresult VST3_CALL isPlatformTypeSupported(vst3::FIDString type) override;
  vst3::tresult VST3_CALL attached(void* parent, vst3::FIDString type) override;
  vst3::tresult VST3_CALL removed() override;
  vst3::tresult VST3_CALL onWheel(float distance) override;
  vst3::tresult VST3_CALL onKeyDown(vst3::char16 key, int16_t keyCode, int16_t modifiers) override;
  vst3::tresult VST3_CALL onKeyUp(vst3::char16 key, int16_t keyCode, int16_t modifiers) override;
  vst3::tresult VST3_CALL getSize(vst3::ViewRect* size) override;
  vst3::tresult VST3_CALL onSize(vst3::ViewRect* newSize) override;
  vst3::tresult VST3_CALL onFocus(vst3::TBool state) override;
  vst3::tresult VST3_CALL setFrame(vst3::IPlugFrame* frame) override;
  vst3::tresult VST3_CALL canResize() override;
  vst3::tresult VST3_CALL checkSizeConstraint(vst3::ViewRect* rect) override;

  void VST3_CALL onFDIsSet(int fd) override;
  void VST3_CALL onTimer() override;

 private:
  void stopRunLoop();

  Vst3Instance& instance_;
  std::atomic<uint32_t> refs_{1};
  vst3::IPlugFrame* frame_ = nullptr;
  vst3::IRunLoop* runLoop_ = nullptr;  // held while the editor is attached
  bool attached_ = false;
};

}  // namespace brisalonde_vst3
