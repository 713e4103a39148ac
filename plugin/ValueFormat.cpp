// The locale-independent value formatter and the Legato rule.
#include "plugin/ValueFormat.h"

#include <charconv>

#include "plugin/ParamTable.h"

int formatFixed(double value, int decimals, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  auto result = std::to_chars(buffer, buffer + size - 1, value, std::chars_format::fixed, decimals);
  const int length = result.ec == std::errc() ? static_cast<int>(result.ptr - buffer) : 0;
  buffer[length] = '\0';
  return length;
}

bool legatoIsOn(double value) {
  return plainValue(kLegato, value) > 0.5;
}

const char* legatoText(double value) {
  return legatoIsOn(value) ? "On" : "Off";
}
