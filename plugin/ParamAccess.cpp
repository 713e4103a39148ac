// setParameter, getParameter and the parameter-text opcodes.
#include "plugin/ParamAccess.h"

#include <cmath>

#include "core/HostText.h"
#include "core/ParamStore.h"
#include "params/NumberText.h"
#include "params/ParamRanges.h"
#include "params/ValueFormat.h"
#include "plugin/PluginInstance.h"

void setParameterEntry(AEffect* effect, int32_t index, float value) {
  PluginInstance* instance = instanceOf(effect);
  if (instance == nullptr) return;
  storeParameter(*instance, index, static_cast<double>(value));
}

float getParameterEntry(AEffect* effect, int32_t index) {
  PluginInstance* instance = instanceOf(effect);
  if (instance == nullptr || !isValidParam(index)) return 0.0f;
  return static_cast<float>(instance->paramValues[index].load(std::memory_order_relaxed));
}

void getParamName(int32_t index, char* buffer) {
  if (!isValidParam(index)) return;
  copyHostText(buffer, kVstMaxParamStrLen, kParamTable[index].name);
}

void getParamLabel(int32_t index, char* buffer) {
  if (!isValidParam(index)) return;
  copyHostText(buffer, kVstMaxParamStrLen, kParamTable[index].unit);
}

void getParamDisplay(const PluginInstance& instance, int32_t index, char* buffer) {
  if (!isValidParam(index)) return;
  const double v = instance.paramValues[index].load(std::memory_order_relaxed);
  if (index == kLegato) {
    copyHostText(buffer, kVstMaxParamStrLen, legatoText(v));
    return;
  }
  char text[64];
  formatFixed(plainValue(index, v), 1, text, sizeof text);
  copyHostText(buffer, kVstMaxParamStrLen, text);
}

int32_t string2Parameter(PluginInstance& instance, int32_t index, const char* text) {
  if (text == nullptr || !isValidParam(index)) return 0;
  double x = 0.0;
  if (!parseLeadingNumber(text, x) || !std::isfinite(x)) return 0;
  storeParameter(instance, index, unitOfPlain(static_cast<ParamId>(index), x));
  return 1;
}

int32_t canBeAutomated(int32_t index) {
  return isValidParam(index) ? 1 : 0;
}
