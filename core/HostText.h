// Copying text into fixed-size buffers: program names, and the text buffers hosts hand in.
#pragma once

#include <cstddef>

// Copies at most size - 1 characters of `text`, fills the rest of the `size` bytes with
// zeros; the last byte is always 0. Does nothing for a null buffer.
void copyHostText(char* buffer, size_t size, const char* text);
