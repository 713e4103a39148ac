// Runs of frames gathered into chunks of at most kMaxRunFrames.
#include "engine/FrameRuns.h"

#include "engine/ControlStage.h"
#include "engine/EnginePaths.h"

namespace {

template <typename Sample, typename Render>
void renderChunk(ToneEngine& e, const OutputChannels<Sample>& out, Render render) {
  StageBuffers& b = e.stages;
  if (b.frames == 0) return;
  closeChunk(b);
  render(e, out, b.hostFrame);
  b.frames = 0;
}

template <typename Sample, typename Render>
void gather(ToneEngine& e, const OutputChannels<Sample>& out, int32_t from, int32_t to,
            Render render) {
  StageBuffers& b = e.stages;
  if (to - from == 1 && appendSteadyFrame(e)) {
    if (b.frames == kMaxRunFrames) renderChunk(e, out, render);
    return;
  }
  for (int32_t start = from; start < to;) {
    if (b.frames == 0) b.hostFrame = start;
    const int room = kMaxRunFrames - b.frames;
    const int frames = to - start < room ? static_cast<int>(to - start) : room;
    runControlStage(e, frames);
    start += frames;
    if (b.frames == kMaxRunFrames) renderChunk(e, out, render);
  }
}

}  // namespace

void renderRun(ToneEngine& e, const OutputChannels<float>& out, int32_t from, int32_t to) {
  gather(e, out, from, to, activeStages().renderFloat);
}

void renderRun(ToneEngine& e, const OutputChannels<double>& out, int32_t from, int32_t to) {
  gather(e, out, from, to, activeStages().renderDouble);
}

void finishRuns(ToneEngine& e, const OutputChannels<float>& out) {
  renderChunk(e, out, activeStages().renderFloat);
}

void finishRuns(ToneEngine& e, const OutputChannels<double>& out) {
  renderChunk(e, out, activeStages().renderDouble);
}
