// Counters for what must never happen on the processing path: heap allocation (malloc and
// operator new, also inside the plug-in binary), mutex locks and thrown exceptions. This
// program replaces those functions for the whole process and counts while counting is on.
#pragma once

struct RealtimeCounts {
  long allocations;
  long locks;
  long throws;
};

namespace realtime {

void startCounting();
RealtimeCounts stopCounting();

}  // namespace realtime
