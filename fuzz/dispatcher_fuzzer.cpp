// Fuzzes the whole host interface: a script of dispatcher calls with any opcode, index,
// value and option, and a pointer of the kind a host passes (none, a large text or data
// buffer, an event block, a chunk no longer than its buffer), mixed with parameter calls
// and blocks. The invariants hold after every call; effClose ends the script.
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz/FuzzEvents.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzInstance.h"

namespace {

constexpr size_t kBufferSize = 1024;  // beyond every text or record an opcode writes
constexpr int32_t kCommonOpcodes = 90;
constexpr int64_t kFrameBudget = 1 << 12;

// A buffer as a host hands it over: filled from the input, always NUL-terminated.
void fillBuffer(FuzzInput& input, std::vector<char>& buffer) {
  std::fill(buffer.begin(), buffer.end(), '\0');
  const size_t length = input.byte();
  for (size_t i = 0; i < length; ++i)
    buffer[i] = static_cast<char>(input.byte());
}

intptr_t anyValue(FuzzInput& input) {
  const uint8_t pick = input.byte();
  if (pick < 200) return pick % 8 - 1;
  if (pick < 250) return input.around(-100, 70000);
  return input.value<intptr_t>();
}

void callDispatcher(FuzzInput& input, FuzzInstance& fuzz, FuzzEvents& events,
                    std::vector<char>& buffer) {
  const uint8_t pick = input.byte();
  const int32_t opcode = pick < 250 ? pick % kCommonOpcodes : input.value<int32_t>();
  const int32_t index = input.around(-4, 20);
  intptr_t value = anyValue(input);
  const float opt = input.value<float>();
  void* ptr = nullptr;
  switch (input.byte() % 3) {
    case 0:
      break;
    case 1:
      fillBuffer(input, buffer);
      ptr = buffer.data();
      break;
    default:
      ptr = events.read(input);
      break;
  }
  if (opcode == effClose) {
    fuzz.close();
    return;
  }
  // A host's event blocks and chunks are well formed: the count matches the pointers, the
  // size does not exceed the data.
  if (opcode == effProcessEvents && ptr == buffer.data()) ptr = events.read(input);
  if (ptr != nullptr && opcode != effProcessEvents) {
    if (ptr != buffer.data()) {
      fillBuffer(input, buffer);
      ptr = buffer.data();
    }
    if (opcode == effSetChunk && value > static_cast<intptr_t>(kBufferSize))
      value %= static_cast<intptr_t>(kBufferSize);
  }
  fuzz.dispatch(opcode, index, value, ptr, opt);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  FuzzInstance fuzz;
  FuzzEvents events;
  std::vector<char> buffer(kBufferSize);
  int64_t frames = 0;
  while (!input.empty() && !fuzz.closed() && frames < kFrameBudget) {
    const uint8_t action = input.byte();
    switch (action % 8) {
      case 6:
        fuzz.effect()->setParameter(fuzz.effect(), input.around(-4, 20), input.value<float>());
        break;
      case 7: {
        const int32_t n = static_cast<int32_t>(input.value<uint16_t>() % 1024) - 8;
        fuzz.render(n, (action >> 3) % 3, static_cast<FuzzInstance::Outputs>((action >> 5) % 4));
        frames += n > 0 ? n : 1;
        break;
      }
      default:
        callDispatcher(input, fuzz, events, buffer);
        break;
    }
    if (!fuzz.closed()) {
      fuzz.effect()->getParameter(fuzz.effect(), input.around(-4, 20));
      fuzz.checkInvariants();
    }
  }
  return 0;
}
