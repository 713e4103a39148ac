// Rendering runs of frames into the host's buffers. The loop is compiled twice from the same
// source: for the x86-64 baseline, and for processors with AVX, where the same arithmetic
// in three-operand form needs fewer instructions. The choice is made once, at load time.
#pragma once

#include <cstdint>

#include "engine/ToneEngine.h"

// The host's channel pointers for one block; a null channel is skipped.
template <typename Sample>
struct OutputChannels {
  Sample* left;
  Sample* right;
  bool accumulate;  // add into the buffers instead of overwriting them
};

// Renders frames [from, to) of the block, writing each sample to both channels.
void renderRun(ToneEngine& engine, const OutputChannels<float>& out, int32_t from, int32_t to);
void renderRun(ToneEngine& engine, const OutputChannels<double>& out, int32_t from, int32_t to);

// Whether the AVX form is in use; tests switch it off to compare both forms.
bool avxRunsEnabled();
void enableAvxRuns(bool enable);
