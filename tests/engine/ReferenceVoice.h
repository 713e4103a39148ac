// A plain evaluation of the voice's formulas, call by call and step by step as written,
// kept only to check the engine's optimized voice against. It reads and writes the same
// ToneEngine fields as the engine's voice and ignores the voice's cache; the decimation
// low-pass runs as designed, its two sections in series, from kDecimatorSeries.
#pragma once

#include "engine/BiquadSection.h"
#include "engine/ToneEngine.h"

double referenceRenderSample(ToneEngine& engine, BiquadSection (&decimator)[2]);
