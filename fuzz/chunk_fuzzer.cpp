// Fuzzes the state chunk restore: any bytes of any length handed to effSetChunk, in a buffer
// of exactly that length so that AddressSanitizer sees a read past its end. A refused chunk
// must leave the state as it was; an accepted one must save back to a chunk that restores to
// itself, and the instrument must still render finite audio.
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz/FuzzInstance.h"

namespace {

std::vector<uint8_t> savedChunk(const FuzzInstance& fuzz) {
  void* data = nullptr;
  const intptr_t size = fuzz.dispatch(effGetChunk, 0, 0, &data);
  FUZZ_EXPECT(size > 0 && data != nullptr);
  const auto* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInstance fuzz;
  const std::vector<uint8_t> before = savedChunk(fuzz);
  std::unique_ptr<uint8_t[]> exact(new uint8_t[size]);
  if (size > 0) std::memcpy(exact.get(), data, size);
  const intptr_t accepted = fuzz.dispatch(effSetChunk, 0, static_cast<intptr_t>(size), exact.get());
  fuzz.checkInvariants();
  std::vector<uint8_t> after = savedChunk(fuzz);
  if (accepted == 0) {
    FUZZ_EXPECT(after == before);
  } else {
    FUZZ_EXPECT(fuzz.dispatch(effSetChunk, 0, static_cast<intptr_t>(after.size()), after.data()) ==
                1);
    FUZZ_EXPECT(savedChunk(fuzz) == after);
  }
  fuzz.noteOn(60);
  fuzz.render(256, 0, FuzzInstance::Outputs::Both);
  return 0;
}
