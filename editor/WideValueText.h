// The read-out text of a parameter as the Vintage and Silver skins draw it: the 8-bit value
// text widened byte by byte into UTF-16.
#pragma once

#include <cstdint>
#include <string_view>

#include "editor/ValueText.h"

struct WideValueText {
  char16_t text[kValueTextSize];
  std::u16string_view view() const { return text; }
};

WideValueText wideValueText(int32_t id, double value);
