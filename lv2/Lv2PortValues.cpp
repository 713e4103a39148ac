// Port values in plain units compared and converted against the normalized store.
#include "lv2/Lv2PortValues.h"

#include "core/ParamStore.h"
#include "params/ParamRanges.h"

void takePortValues(InstrumentCore& core, const float* const controls[kNumParams]) {
  for (int32_t i = 0; i < kNumParams; ++i) {
    if (controls[i] == nullptr) continue;
    const auto id = static_cast<ParamId>(i);
    const float port = *controls[i];
    const double current = core.paramValues[i].load(std::memory_order_relaxed);
    if (static_cast<float>(plainOfUnit(id, current)) == port) continue;
    storeParameter(core, i, unitOfPlain(id, static_cast<double>(port)));
  }
}
