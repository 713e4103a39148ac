// The editor's refresh tick where the host's idle calls drive the window instead of a timer:
// a tick is due once kRefreshPeriodMs have passed since the last one.
#pragma once

#include <cstdint>

constexpr int64_t kRefreshPeriodMs = 100;

class RefreshClock {
 public:
  explicit RefreshClock(int64_t startMs) : lastTickMs_(startMs) {}
  // True (and the period starts again) when a tick is due at `nowMs`.
  bool tickDue(int64_t nowMs) {
    if (nowMs - lastTickMs_ < kRefreshPeriodMs) return false;
    lastTickMs_ = nowMs;
    return true;
  }

 private:
  int64_t lastTickMs_;
};
