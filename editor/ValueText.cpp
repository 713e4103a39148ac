// Formatting of the value read-outs.
#include "editor/ValueText.h"

#include <cstdio>

#include "plugin/ParamTable.h"

ValueText formatValueText(int32_t id, double value) {
  ValueText out{};
  if (!isValidParam(id)) return out;
  const ParamDesc& row = kParamTable[id];
  const double plain = plainValue(id, value);
  if (id == kLegato) {
    std::snprintf(out.text, sizeof out.text, "%s", plain > 0.5 ? "On" : "Off");
  } else {
    const char* format = row.steps != 0 ? "%.0f %s" : "%.1f %s";
    std::snprintf(out.text, sizeof out.text, format, plain, row.unit);
  }
  return out;
}
