// A plain evaluation of the voice's formulas, call by call and step by step as written,
// kept only to check the engine's optimized voice against. It reads and writes the same
// ToneEngine fields as the engine's voice and ignores the voice's cache.
#pragma once

#include "engine/ToneEngine.h"

double referenceRenderSample(ToneEngine& engine);
