// The stages in eight AVX-512 lanes with fused multiply-add, for processors with AVX-512F.
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
#pragma clang attribute push(__attribute__((target("avx512f,avx2,fma"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx512f,avx2,fma")
#endif

#include "engine/Avx512Lanes.h"
#include "engine/FormStages.h"

// Taken here, between the pragmas, so that the functions are compiled for this form.
const StageFunctions kAvx512Stages = FormStages<voice::Avx512Lanes>::kFunctions;

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
