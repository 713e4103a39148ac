// UTF-16 and 8-bit texts for the host.
#include "vst3/WideText.h"

namespace brisalonde_vst3 {

void copyWide(vst3::char16* out, size_t capacity, const char* text) {
  if (out == nullptr || capacity == 0) return;
  size_t i = 0;
  for (; text != nullptr && i + 1 < capacity && text[i] != '\0'; ++i)
    out[i] = static_cast<unsigned char>(text[i]);
  for (; i < capacity; ++i)
    out[i] = 0;
}

bool narrowText(const vst3::char16* text, size_t capacity, char* out, size_t size) {
  if (text == nullptr || out == nullptr || size == 0) return false;
  size_t i = 0;
  for (; i < capacity && text[i] != 0; ++i) {
    if (i + 1 >= size) return false;
    out[i] = text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
  }
  if (i == capacity) return false;
  out[i] = '\0';
  return true;
}

void copyNarrow(char* out, size_t capacity, const char* text) {
  if (out == nullptr || capacity == 0) return;
  size_t i = 0;
  for (; text != nullptr && i + 1 < capacity && text[i] != '\0'; ++i)
    out[i] = text[i];
  for (; i < capacity; ++i)
    out[i] = '\0';
}

}  // namespace brisalonde_vst3
