// What every format's render does alike once the plug-in is up: the length and size limits,
// the output written through a partial file, the block loop with its progress, and the
// levels and processing time measured on the way.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/render/LevelMeter.h"
#include "tools/render/Render.h"
#include "tools/render/WavWriter.h"

// Where one block's output goes: measured, then written.
class RenderSink {
 public:
  explicit RenderSink(WavWriter& writer) : writer_(writer) {}

  template <typename Sample>
  bool write(const std::vector<const Sample*>& channels, int32_t frames) {
    meter_.add(channels.data(), static_cast<int>(channels.size()), frames);
    return writer_.write(channels.data(), frames);
  }
  // Only the plug-in's own calls count towards the processing time.
  template <typename Call>
  void timed(Call&& call) {
    const auto begin = std::chrono::steady_clock::now();
    call();
    processing_ += std::chrono::steady_clock::now() - begin;
  }

  const LevelMeter& meter() const { return meter_; }
  double processingSeconds() const { return std::chrono::duration<double>(processing_).count(); }

 private:
  WavWriter& writer_;
  LevelMeter meter_;
  std::chrono::steady_clock::duration processing_{};
};

struct RenderSteps {
  std::function<void()> start;
  // Plays [start, start + frames) and writes it to the sink; false when writing failed.
  std::function<bool(uint64_t start, int32_t frames, RenderSink& sink)> block;
  // After the last block, before the output is kept; false with the error set.
  std::function<bool(std::string& error)> finish;
};

// Plays summary.frames in blocks of options.blockSize into options.outputPath, with
// summary.channels channels, and fills in the measurements. On failure no partial output
// is left behind.
bool playAndWrite(const RenderOptions& options, RenderSummary& summary, const RenderSteps& steps,
                  std::string& error);
