// A poll-based run loop for VST 3 views on Linux.
#include "tools/host/Vst3RunLoop.h"

#include <poll.h>

#include <algorithm>
#include <chrono>

#include "tools/host/Vst3HostObjects.h"

namespace {

int64_t nowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

Vst3RunLoop::~Vst3RunLoop() {
  for (Handler& h : handlers_)
    h.handler->release();
  for (Timer& t : timers_)
    t.handler->release();
}

vst3::tresult Vst3RunLoop::queryInterface(const vst3::TUID iid, void** obj) {
  noteVst3Query("host", iid);
  if (obj == nullptr) return vst3::kInvalidArgument;
  *obj = nullptr;
  if (vst3::kIidFUnknown.matches(iid) || vst3::kIidIPlugFrame.matches(iid)) {
    *obj = static_cast<vst3::IPlugFrame*>(this);
  } else if (vst3::kIidIRunLoop.matches(iid)) {
    *obj = static_cast<vst3::IRunLoop*>(this);
  }
  if (*obj == nullptr) return vst3::kNoInterface;
  addRef();
  return vst3::kResultOk;
}

vst3::tresult Vst3RunLoop::resizeView(vst3::IPlugView*, vst3::ViewRect*) {
  return vst3::kResultFalse;  // our views keep their size
}

vst3::tresult Vst3RunLoop::registerEventHandler(vst3::IEventHandler* handler, int fd) {
  if (handler == nullptr || fd < 0) return vst3::kInvalidArgument;
  handler->addRef();
  handlers_.push_back({handler, fd});
  return vst3::kResultOk;
}

vst3::tresult Vst3RunLoop::unregisterEventHandler(vst3::IEventHandler* handler) {
  auto it = std::find_if(handlers_.begin(), handlers_.end(),
                         [&](const Handler& h) { return h.handler == handler; });
  if (it == handlers_.end()) return vst3::kInvalidArgument;
  it->handler->release();
  handlers_.erase(it);
  return vst3::kResultOk;
}

vst3::tresult Vst3RunLoop::registerTimer(vst3::ITimerHandler* handler, uint64_t milliseconds) {
  // As hosts do: a timer of 0 ms would spin the loop.
  if (handler == nullptr || milliseconds == 0) return vst3::kInvalidArgument;
  handler->addRef();
  timers_.push_back({handler, milliseconds, nowMs() + static_cast<int64_t>(milliseconds)});
  return vst3::kResultOk;
}

vst3::tresult Vst3RunLoop::unregisterTimer(vst3::ITimerHandler* handler) {
  auto it = std::find_if(timers_.begin(), timers_.end(),
                         [&](const Timer& t) { return t.handler == handler; });
  if (it == timers_.end()) return vst3::kInvalidArgument;
  it->handler->release();
  timers_.erase(it);
  return vst3::kResultOk;
}

void Vst3RunLoop::run(int milliseconds) {
  const int64_t end = nowMs() + milliseconds;
  for (int64_t now = nowMs(); now < end; now = nowMs()) {
    int64_t wait = end - now;
    for (const Timer& t : timers_)
      wait = std::min(wait, std::max<int64_t>(0, t.due - now));
    std::vector<pollfd> fds;
    for (const Handler& h : handlers_)
      fds.push_back({h.fd, POLLIN, 0});
    poll(fds.data(), fds.size(), static_cast<int>(wait));
    // Handlers may unregister themselves from a callback: serve from copies.
    const std::vector<Handler> handlers = handlers_;
    for (size_t i = 0; i < fds.size() && i < handlers.size(); ++i) {
      if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
      ++fdCalls_;
      handlers[i].handler->onFDIsSet(handlers[i].fd);
    }
    now = nowMs();
    const std::vector<Timer> timers = timers_;
    for (const Timer& t : timers) {
      if (t.due > now) continue;
      for (Timer& live : timers_)
        if (live.handler == t.handler) live.due = now + static_cast<int64_t>(live.interval);
      ++timerCalls_;
      t.handler->onTimer();
    }
  }
}
