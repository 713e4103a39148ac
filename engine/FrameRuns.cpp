// Runs of frames through the stages, in parts of at most kMaxRunFrames.
#include "engine/FrameRuns.h"

#include "engine/ControlStage.h"
#include "engine/EnginePaths.h"

namespace {

template <typename Sample, typename Render>
void renderInParts(ToneEngine& e, const OutputChannels<Sample>& out, int32_t from, int32_t to,
                   Render render) {
  for (int32_t start = from; start < to;) {
    const int frames = to - start < kMaxRunFrames ? static_cast<int>(to - start) : kMaxRunFrames;
    runControlStage(e, frames);
    render(e, out, start);
    start += frames;
  }
}

}  // namespace

void renderRun(ToneEngine& e, const OutputChannels<float>& out, int32_t from, int32_t to) {
  renderInParts(e, out, from, to, activeStages().renderFloat);
}

void renderRun(ToneEngine& e, const OutputChannels<double>& out, int32_t from, int32_t to) {
  renderInParts(e, out, from, to, activeStages().renderDouble);
}
