// The bar appears only after half a second, so short renders never show it, and is
// redrawn at most ten times a second.
#include "tools/render/ProgressBar.h"

#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace {
constexpr auto kDelayBeforeShowing = std::chrono::milliseconds(500);
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kBarWidth = 40;
}  // namespace

ProgressBar::ProgressBar(bool allowed)
    : enabled_(allowed && isatty(fileno(stderr)) != 0), start_(Clock::now()), lastDraw_(start_) {}

ProgressBar::~ProgressBar() {
  if (drawn_) std::fprintf(stderr, "\r%*s\r", kBarWidth + 20, "");
}

void ProgressBar::update(uint64_t done, uint64_t total) {
  if (!enabled_ || total == 0) return;
  const Clock::time_point now = Clock::now();
  if (now - start_ < kDelayBeforeShowing || (drawn_ && now - lastDraw_ < kRedrawInterval)) return;
  lastDraw_ = now;
  drawn_ = true;
  const double fraction = done >= total ? 1.0 : static_cast<double>(done) / total;
  const int filled = static_cast<int>(fraction * kBarWidth);
  char bar[kBarWidth + 1];
  for (int i = 0; i < kBarWidth; ++i)
    bar[i] = i < filled ? '#' : '-';
  bar[kBarWidth] = '\0';
  std::fprintf(stderr, "\r[%s] %3d%%", bar, static_cast<int>(fraction * 100.0));
  std::fflush(stderr);
}
