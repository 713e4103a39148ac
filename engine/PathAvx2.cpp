// The stages in four AVX lanes with fused multiply-add, for processors with AVX2 and FMA.
// Everything between the target pragmas is compiled for that instruction set; the headers
// above it, the standard library's among them, stay baseline code.
#include <immintrin.h>

#include <cstdint>

#include "engine/DecimatorCoefficients.h"
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
#include "engine/FormStages.h"

// Taken here, between the pragmas, so that the functions are compiled for this form.
const StageFunctions kAvx2FmaStages = FormStages<voice::Avx2Lanes>::kFunctions;

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
