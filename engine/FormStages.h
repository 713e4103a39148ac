// The stage functions of one vector form V, which its file includes after the form's lanes,
// between its target pragmas where it has them, so that they are compiled for the form's
// instruction set; the file then lists them in its StageFunctions. Internal linkage: no copy
// of a function of one form may stand in for another form's.
#pragma once

#include <cstdint>

#include "engine/EnginePaths.h"
#include "engine/StageKernels.h"
#include "engine/VibratoKernel.h"

namespace {

template <class V>
struct FormStages {
  static void renderFloat(ToneEngine& e, const OutputChannels<float>& out, int32_t offset) {
    voice::renderStages<V>(e, out, offset);
  }
  static void renderDouble(ToneEngine& e, const OutputChannels<double>& out, int32_t offset) {
    voice::renderStages<V>(e, out, offset);
  }
  static void vibratoRatios(StageBuffers& b, int from, int to) {
    voice::runVibratoRatios<V>(b, from, to);
  }
  static constexpr StageFunctions kFunctions = {renderFloat, renderDouble, vibratoRatios};
};

}  // namespace
