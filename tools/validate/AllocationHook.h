// Counts heap allocations and frees that a plug-in makes on one watched thread, for the
// validator and the engine's real-time test. On Linux the program's own malloc family
// stands in front of the C library's for the whole process; on Windows the plug-in module's
// imports of the heap functions are redirected. Under the sanitizers, which own the
// allocator, no hook exists.
#pragma once

#include <cstdint>

namespace allochook {

bool available();
// Prepares the hook for the plug-in module containing `addressInPlugin`; false when it
// cannot be hooked.
bool attach(const void* addressInPlugin);

// Counting happens only on the calling thread, between start and stop.
void startWatchingThisThread();
void stopWatching();
uint64_t allocations();
uint64_t frees();

}  // namespace allochook
