// Control port values into the parameter store.
#pragma once

#include "core/InstrumentCore.h"

// Takes a port value only when it differs from the float of the current plain value, and
// then as a value typed into a host: (value - min) / (max - min), conformed by quantize, in
// double precision. The normalized doubles stay the master values, so a port that shows an
// exact program value does not move it. Null ports are skipped.
void takePortValues(InstrumentCore& core, const float* const controls[kNumParams]);
