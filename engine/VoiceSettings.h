// Parameter smoothing and the per-frame settings the voice derives from the parameters.
#pragma once

#include "engine/VoiceCache.h"

struct ToneEngine;

namespace voice {

// One smoothing step of the values that may still move; those that did not move this time
// have arrived (or stopped where rounding holds them) and leave engine.cache.moving. Returns
// the values that moved.
ParamSet smoothParameters(ToneEngine& engine);

// Recomputes the settings of engine.cache.settings that depend on the parameters in
// `changed` (every setting for kEveryParam, as after a rate change).
void deriveSettings(ToneEngine& engine, ParamSet changed);

}  // namespace voice
