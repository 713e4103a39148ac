// Zero-filled, always-terminated text copies into host buffers.
#include "core/HostText.h"

#include <cstring>

void copyHostText(char* buffer, size_t size, const char* text) {
  if (buffer == nullptr || size == 0) return;
  std::strncpy(buffer, text == nullptr ? "" : text, size - 1);
  buffer[size - 1] = '\0';
}
