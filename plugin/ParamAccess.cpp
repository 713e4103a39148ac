// setParameter, getParameter and the parameter-text opcodes.
#include "plugin/ParamAccess.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

#include "core/HostText.h"
#include "core/ParamStore.h"
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

bool parseLeadingNumber(const char* text, double& out) {
  if (text == nullptr) return false;
  const char* p = text;
  while (*p != '\0' && std::isspace(static_cast<unsigned char>(*p)))
    ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  if (*p == '+' || *p == '-') return false;  // strtod takes one sign only
  const char* end = p + std::strlen(p);
  auto format = std::chars_format::general;
  const bool hex = p[0] == '0' && (p[1] == 'x' || p[1] == 'X') &&
                   (std::isxdigit(static_cast<unsigned char>(p[2])) ||
                    (p[2] == '.' && std::isxdigit(static_cast<unsigned char>(p[3]))));
  if (hex) {
    p += 2;
    format = std::chars_format::hex;
  }
  double value = 0.0;
  auto result = std::from_chars(p, end, value, format);
  if (result.ptr == p) return false;
  if (result.ec == std::errc::result_out_of_range) {
    // strtod gives an infinity on overflow and a tiny value or zero on underflow.
    const char* exponent = std::strpbrk(p, hex ? "pP" : "eE");
    const bool underflow = exponent != nullptr && exponent < result.ptr && exponent[1] == '-';
    value = underflow ? 0.0 : HUGE_VAL;
  }
  out = negative ? -value : value;
  return true;
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
