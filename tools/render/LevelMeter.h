// Peak and RMS of everything rendered, over all channels.
#pragma once

#include <cmath>
#include <cstdint>

class LevelMeter {
 public:
  template <typename Sample>
  void add(const Sample* const* channels, int channelCount, int32_t frames) {
    for (int c = 0; c < channelCount; ++c)
      for (int32_t j = 0; j < frames; ++j) {
        const double s = static_cast<double>(channels[c][j]);
        if (!std::isfinite(s)) continue;
        peak_ = std::fmax(peak_, std::fabs(s));
        sumOfSquares_ += s * s;
      }
    samples_ += static_cast<uint64_t>(channelCount) * static_cast<uint64_t>(frames);
  }

  double peak() const { return peak_; }
  double rms() const { return samples_ == 0 ? 0.0 : std::sqrt(sumOfSquares_ / samples_); }

 private:
  double peak_ = 0.0;
  double sumOfSquares_ = 0.0;
  uint64_t samples_ = 0;
};
