// Parameter smoothing and the per-frame settings the voice derives from the parameters.
#pragma once

struct ToneEngine;

namespace voice {

// One smoothing step of all 16 values; true when any of them moved.
bool smoothParameters(ToneEngine& engine);

// Recomputes engine.cache.settings from the parameter copies and the rate.
void deriveSettings(ToneEngine& engine);

}  // namespace voice
