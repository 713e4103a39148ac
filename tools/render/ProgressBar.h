// A progress bar on stderr for renders that take a while, drawn only when stderr is a
// terminal, so that scripts and logs stay clean.
#pragma once

#include <chrono>
#include <cstdint>

class ProgressBar {
 public:
  explicit ProgressBar(bool allowed);
  ~ProgressBar();  // clears the bar if one was drawn

  void update(uint64_t done, uint64_t total);

 private:
  using Clock = std::chrono::steady_clock;
  bool enabled_;
  bool drawn_ = false;
  Clock::time_point start_;
  Clock::time_point lastDraw_;
};
