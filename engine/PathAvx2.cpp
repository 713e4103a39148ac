// The stages in four AVX lanes with fused multiply-add, for processors with AVX2 and FMA.
// Everything between the target pragmas is compiled for that instruction set; the headers
// above it, the standard library's among them, stay baseline code.
#include <immintrin.h>

#include <cstdint>

#include "engine/BiquadSection.h"
#include "engine/EnginePaths.h"
#include "engine/OutputChannels.h"
#include "engine/StageBuffers.h"
#include "engine/ToneEngine.h"
#include "engine/TriangleWeights.h"

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2,fma"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2,fma")
#endif

#include "engine/Avx2Lanes.h"
#include "engine/StageKernels.h"
#include "engine/VibratoKernel.h"

namespace {

void renderFloat(ToneEngine& e, const OutputChannels<float>& out, int32_t offset) {
  voice::renderStages<voice::Avx2Lanes>(e, out, offset);
}

void renderDouble(ToneEngine& e, const OutputChannels<double>& out, int32_t offset) {
  voice::renderStages<voice::Avx2Lanes>(e, out, offset);
}

void vibratoRatios(StageBuffers& b, int from, int to) {
  voice::runVibratoRatios<voice::Avx2Lanes>(b, from, to);
}

}  // namespace

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

const StageFunctions kAvx2FmaStages = {renderFloat, renderDouble, vibratoRatios};
