// Fuzzes the event queue and block processing: a script of event blocks (any deltas, types,
// sizes and bytes, up to one more than a full queue), blocks of any length including empty
// and negative ones on every path with missing outputs, resets and sample-rate changes.
#include <cstdint>

#include "fuzz/FuzzEvents.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzInstance.h"

namespace {

constexpr int64_t kFrameBudget = 1 << 13;  // keeps each input quick
constexpr int32_t kLongestBlock = 4200;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  FuzzInstance fuzz;
  FuzzEvents events;
  int64_t frames = 0;
  while (!input.empty() && frames < kFrameBudget) {
    const uint8_t action = input.byte();
    switch (action % 4) {
      case 0:
        fuzz.dispatch(effProcessEvents, 0, 0, events.read(input));
        break;
      case 1: {
        const int32_t n = static_cast<int32_t>(input.value<uint16_t>() % kLongestBlock) - 50;
        const auto outputs = static_cast<FuzzInstance::Outputs>(input.byte() % 4);
        fuzz.render(n, (action >> 2) % 3, outputs);
        frames += n > 0 ? n : 1;
        break;
      }
      case 2:
        fuzz.dispatch(action & 4 ? effMainsChanged : effStopProcess, 0, action >> 7);
        break;
      default:
        fuzz.dispatch(effSetSampleRate, 0, 0, nullptr, input.value<float>());
        break;
    }
    fuzz.checkInvariants();
  }
  return 0;
}
