// The frame loop in its two compiled forms and the load-time choice between them.
#include "engine/FrameRuns.h"

#include "engine/Voice.h"

namespace {

template <typename Sample>
[[gnu::always_inline]] inline void runFrames(ToneEngine& e, const OutputChannels<Sample>& out,
                                             int32_t from, int32_t to) {
  for (int32_t j = from; j < to; ++j) {
    const Sample s = static_cast<Sample>(renderSample(e));
    if (out.left != nullptr) out.left[j] = out.accumulate ? out.left[j] + s : s;
    if (out.right != nullptr) out.right[j] = out.accumulate ? out.right[j] + s : s;
  }
}

template <typename Sample>
void runFramesBaseline(ToneEngine& e, const OutputChannels<Sample>& out, int32_t from, int32_t to) {
  runFrames(e, out, from, to);
}

template <typename Sample>
[[gnu::target("avx")]] void runFramesAvx(ToneEngine& e, const OutputChannels<Sample>& out,
                                         int32_t from, int32_t to) {
  runFrames(e, out, from, to);
}

bool processorHasAvx() {
  __builtin_cpu_init();  // runs before main, so the feature table must be filled first
  return __builtin_cpu_supports("avx");
}

bool useAvx = processorHasAvx();

template <typename Sample>
void dispatch(ToneEngine& e, const OutputChannels<Sample>& out, int32_t from, int32_t to) {
  if (useAvx)
    runFramesAvx(e, out, from, to);
  else
    runFramesBaseline(e, out, from, to);
}

}  // namespace

void renderRun(ToneEngine& e, const OutputChannels<float>& out, int32_t from, int32_t to) {
  dispatch(e, out, from, to);
}

void renderRun(ToneEngine& e, const OutputChannels<double>& out, int32_t from, int32_t to) {
  dispatch(e, out, from, to);
}

bool avxRunsEnabled() {
  return useAvx;
}

void enableAvxRuns(bool enable) {
  useAvx = enable && processorHasAvx();
}
