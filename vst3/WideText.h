// Texts handed to a VST 3 host are UTF-16 in fixed arrays; ours are ASCII.
#pragma once

#include <cstddef>

#include "vst3/Vst3Base.h"

namespace brisalonde_vst3 {

// Copies at most capacity - 1 characters and zero-fills the rest; nothing for a null array.
void copyWide(vst3::char16* out, size_t capacity, const char* text);

// Copies a host's UTF-16 text of at most `capacity` units into `out` (size `size`), bytes
// above ASCII becoming '?'; false for a null text or one without a terminator in range.
bool narrowText(const vst3::char16* text, size_t capacity, char* out, size_t size);

// The same zero-filled copy for 8-bit arrays.
void copyNarrow(char* out, size_t capacity, const char* text);

}  // namespace brisalonde_vst3
