// The stages in SSE2's two lanes: the x86-64 baseline form, which every processor runs.
#include "engine/Sse2Lanes.h"

#include "engine/FormStages.h"

const StageFunctions kSse2Stages = FormStages<voice::Sse2Lanes>::kFunctions;
