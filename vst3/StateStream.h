// The state record through a host's stream: read in as many pieces as the stream delivers,
// from wherever the stream stands, and written likewise.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vst3/Vst3Base.h"

namespace brisalonde_vst3 {

// Reads up to `capacity` bytes into `buffer` until the stream ends; `size` is what came.
// False for a null stream or buffer, or a read that fails.
bool readRecord(vst3::IBStream* stream, unsigned char* buffer, size_t capacity, size_t& size);

// Writes all `size` bytes; false for a null stream or a write that fails or stalls.
bool writeRecord(vst3::IBStream* stream, const unsigned char* data, size_t size);

}  // namespace brisalonde_vst3
