// Formatting of the value read-outs, with the host's display-text number formatter.
#include "editor/ValueText.h"

#include <cstdio>

#include "params/ParamTable.h"
#include "params/ValueFormat.h"

ValueText formatValueText(int32_t id, double value) {
  ValueText out{};
  if (!isValidParam(id)) return out;
  const ParamDesc& row = kParamTable[id];
  if (id == kLegato) {
    std::snprintf(out.text, sizeof out.text, "%s", legatoText(value));
  } else {
    char number[kValueTextSize / 2];  // room for any plain value of the table
    formatFixed(plainValue(id, value), row.steps != 0 ? 0 : 1, number, sizeof number);
    std::snprintf(out.text, sizeof out.text, "%s %s", number, row.unit);
  }
  return out;
}
