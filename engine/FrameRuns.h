// Rendering runs of frames into the host's buffers, stage by stage: the scalar control stage,
// then the oscillator bank, the decimator and the output stage in the vector form chosen at
// load time (engine/EnginePaths.h). A run longer than the stage arrays goes through in parts.
#pragma once

#include <cstdint>

#include "engine/OutputChannels.h"
#include "engine/ToneEngine.h"

// Renders frames [from, to) of the block, writing each sample to both channels.
void renderRun(ToneEngine& engine, const OutputChannels<float>& out, int32_t from, int32_t to);
void renderRun(ToneEngine& engine, const OutputChannels<double>& out, int32_t from, int32_t to);
