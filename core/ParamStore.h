// Writing the parameter store: every value from a host or a saved state goes through here.
#pragma once

#include <cstdint>

struct InstrumentCore;

// Stores quantize(value) for a valid index; other indices do nothing. The host is not told.
void storeParameter(InstrumentCore& core, int32_t index, double value);
