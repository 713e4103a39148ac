// The stages in SSE2's two lanes: the x86-64 baseline form, which every processor runs.
#include "engine/EnginePaths.h"
#include "engine/Sse2Lanes.h"
#include "engine/StageKernels.h"
#include "engine/VibratoKernel.h"

namespace {

void renderFloat(ToneEngine& e, const OutputChannels<float>& out, int32_t offset) {
  voice::renderStages<voice::Sse2Lanes>(e, out, offset);
}

void renderDouble(ToneEngine& e, const OutputChannels<double>& out, int32_t offset) {
  voice::renderStages<voice::Sse2Lanes>(e, out, offset);
}

void vibratoRatios(StageBuffers& b, int from, int to) {
  voice::runVibratoRatios<voice::Sse2Lanes>(b, from, to);
}

}  // namespace

const StageFunctions kSse2Stages = {renderFloat, renderDouble, vibratoRatios};
