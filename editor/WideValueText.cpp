// Widening of the value read-out.
#include "editor/WideValueText.h"

WideValueText wideValueText(int32_t id, double value) {
  const ValueText narrow = formatValueText(id, value);
  WideValueText wide{};
  // Each byte becomes one code unit; the terminating zero comes along.
  for (int32_t k = 0; k < kValueTextSize; ++k)
    wide.text[k] = static_cast<char16_t>(static_cast<unsigned char>(narrow.text[k]));
  wide.text[kValueTextSize - 1] = u'\0';
  return wide;
}
