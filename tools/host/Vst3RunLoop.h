// The frame our host gives a VST 3 view, with the run loop Linux hosts offer through it:
// file descriptors watched for input and periodic timers, all served on the thread that
// calls run(), as a host's GUI thread serves them.
#pragma once

#include <cstdint>
#include <vector>

#include "vst3/Vst3View.h"

class Vst3RunLoop final : public vst3::IPlugFrame, public vst3::IRunLoop {
 public:
  Vst3RunLoop() = default;
  ~Vst3RunLoop();  // releases what is still registered
  Vst3RunLoop(const Vst3RunLoop&) = delete;
  Vst3RunLoop& operator=(const Vst3RunLoop&) = delete;

  vst3::tresult VST3_CALL queryInterface(const vst3::TUID iid, void** obj) override;
  uint32_t VST3_CALL addRef() override { return ++refs_; }
  uint32_t VST3_CALL release() override { return --refs_; }

  vst3::tresult VST3_CALL resizeView(vst3::IPlugView* view, vst3::ViewRect* newSize) override;

  vst3::tresult VST3_CALL registerEventHandler(vst3::IEventHandler* handler, int fd) override;
  vst3::tresult VST3_CALL unregisterEventHandler(vst3::IEventHandler* handler) override;
  vst3::tresult VST3_CALL registerTimer(vst3::ITimerHandler* handler,
                                        uint64_t milliseconds) override;
  vst3::tresult VST3_CALL unregisterTimer(vst3::ITimerHandler* handler) override;

  // Serves the registered handlers for about `milliseconds`.
  void run(int milliseconds);

  size_t handlerCount() const { return handlers_.size(); }
  size_t timerCount() const { return timers_.size(); }
  uint64_t fdCalls() const { return fdCalls_; }
  uint64_t timerCalls() const { return timerCalls_; }
  uint32_t references() const { return refs_; }

 private:
  struct Handler {
    vst3::IEventHandler* handler;
    int fd;
  };
  struct Timer {
    vst3::ITimerHandler* handler;
    uint64_t interval;
    int64_t due;  // ms on the monotonic clock
  };
  std::vector<Handler> handlers_;
  std::vector<Timer> timers_;
  uint32_t refs_ = 1;
  uint64_t fdCalls_ = 0;
  uint64_t timerCalls_ = 0;
};
