// Encoding and validation of the state chunk.
#include "core/StateChunk.h"

#include <cmath>
#include <cstring>

#include "params/Programs.h"
#include "params/SkinId.h"

namespace {

constexpr size_t kOffsetVersion = 4;
constexpr size_t kOffsetProgram = 8;
constexpr size_t kOffsetCount = 12;
constexpr size_t kOffsetValues = 16;
constexpr size_t kOffsetSkin = 144;

void putU32(unsigned char* p, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    p[i] = static_cast<unsigned char>(v >> (8 * i));
}

void putF64(unsigned char* p, double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  for (int i = 0; i < 8; ++i)
    p[i] = static_cast<unsigned char>(bits >> (8 * i));
}

uint32_t getU32(const unsigned char* p) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i)
    v |= static_cast<uint32_t>(p[i]) << (8 * i);
  return v;
}

double getF64(const unsigned char* p) {
  uint64_t bits = 0;
  for (int i = 0; i < 8; ++i)
    bits |= static_cast<uint64_t>(p[i]) << (8 * i);
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

}  // namespace

void encodeStateChunk(const SavedState& state, StateChunk& out) {
  unsigned char* p = out.bytes;
  std::memcpy(p, kStateChunkMagic, 4);
  putU32(p + kOffsetVersion, kStateChunkVersion);
  putU32(p + kOffsetProgram, state.program);
  putU32(p + kOffsetCount, kNumParams);
  for (int i = 0; i < kNumParams; ++i)
    putF64(p + kOffsetValues + 8 * i, state.values[i]);
  putU32(p + kOffsetSkin, state.skin);
}

bool decodeStateChunk(const void* data, intptr_t size, SavedState& out) {
  if (data == nullptr) return false;
  if (size != static_cast<intptr_t>(kStateChunkSizeV1) &&
      size != static_cast<intptr_t>(kStateChunkSize))
    return false;
  const auto* p = static_cast<const unsigned char*>(data);
  if (std::memcmp(p, kStateChunkMagic, 4) != 0) return false;
  const uint32_t version = getU32(p + kOffsetVersion);
  if (version == 1) {
    if (size != static_cast<intptr_t>(kStateChunkSizeV1)) return false;
  } else if (version == 2) {
    if (size != static_cast<intptr_t>(kStateChunkSize)) return false;
  } else {
    return false;
  }
  SavedState s;
  s.program = getU32(p + kOffsetProgram);
  if (s.program >= static_cast<uint32_t>(kNumPrograms)) return false;
  if (getU32(p + kOffsetCount) != kNumParams) return false;
  s.skin = version == 2 ? getU32(p + kOffsetSkin) : 0;
  if (s.skin >= static_cast<uint32_t>(kNumSkins)) return false;
  for (int i = 0; i < kNumParams; ++i) {
    const double v = getF64(p + kOffsetValues + 8 * i);
    if (!std::isfinite(v) || v < 0.0 || v > 1.0) return false;
    s.values[i] = v;
  }
  out = s;
  return true;
}
