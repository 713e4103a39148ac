// The vector forms of the engine's stages: SSE2 (two lanes, the x86-64 baseline), AVX2 with
// FMA (four lanes) and AVX-512F (eight lanes). The widest form the processor has is chosen
// once, when the library loads; every form renders the same samples to within rounding.
#pragma once

#include <cstdint>

#include "engine/OutputChannels.h"

struct ToneEngine;

enum class EnginePath { Sse2, Avx2Fma, Avx512 };

// The stages after the control stage, in one form: they render the run that the control
// stage has prepared into host frames starting at `offset`. The control stage itself asks
// the form for the vibrato's ratios over frames [from, to) of its chunk.
struct StageBuffers;
struct StageFunctions {
  void (*renderFloat)(ToneEngine&, const OutputChannels<float>&, int32_t offset);
  void (*renderDouble)(ToneEngine&, const OutputChannels<double>&, int32_t offset);
  void (*vibratoRatios)(StageBuffers&, int from, int to);
};

extern const StageFunctions kSse2Stages;
extern const StageFunctions kAvx2FmaStages;
extern const StageFunctions kAvx512Stages;

bool processorHas(EnginePath path);
const char* pathName(EnginePath path);

// The form in use and its stages.
EnginePath activeEnginePath();
const StageFunctions& activeStages();

// Switches to another form, for tests and benchmarks; false (and no change) when the
// processor lacks it. Not to be called while a block renders.
bool useEnginePath(EnginePath path);

// Renders with the given stages until the next useEnginePath: for tests of the stages in a
// form that no processor runs, or that this one lacks.
void useStagesForTest(const StageFunctions& stages);
