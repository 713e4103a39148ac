// Counters for what must never happen on the processing path: heap allocations and frees
// (malloc and operator new, also inside the plug-in binary, through the validator's
// allocation hook), mutex locks and thrown exceptions. Allocations count on the thread that
// started counting, locks and throws on any thread.
#pragma once

struct RealtimeCounts {
  long allocations;  // allocations and frees
  long locks;
  long throws;
};

namespace realtime {

void startCounting();
RealtimeCounts stopCounting();

}  // namespace realtime
