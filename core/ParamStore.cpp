// The one way a value from outside enters the store: conformed to its grid, one whole write.
#include "core/ParamStore.h"

#include "core/InstrumentCore.h"

void storeParameter(InstrumentCore& core, int32_t index, double value) {
  if (!isValidParam(index)) return;
  core.paramValues[index].store(quantize(value, kParamTable[index].steps),
                                std::memory_order_relaxed);
}
