// The read-out text of a parameter value, shared by all three skins.
#pragma once

#include <cstdint>
#include <string_view>

constexpr int32_t kValueTextSize = 64;  // 63 characters and a terminating zero

struct ValueText {
  char text[kValueTextSize];
  std::string_view view() const { return text; }
};

// "55.0 %", "0 oct", "On": the plain value with one decimal on continuous rows, none on
// stepped rows, and "On"/"Off" for Legato. The decimal separator is a dot whatever the
// process locale, as in the host's display text. Values outside 0..1 (or not finite) are
// conformed first. An invalid `id` gives an empty text.
ValueText formatValueText(int32_t id, double value);
