// The locale-independent value formatter and the Legato words.
#include "params/ValueFormat.h"

#include <charconv>

int formatFixed(double value, int decimals, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  auto result = std::to_chars(buffer, buffer + size - 1, value, std::chars_format::fixed, decimals);
  const int length = result.ec == std::errc() ? static_cast<int>(result.ptr - buffer) : 0;
  buffer[length] = '\0';
  return length;
}

const char* legatoText(double value) {
  return legatoIsOn(value) ? "On" : "Off";
}
