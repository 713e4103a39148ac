// The watched thread and the counters, shared by the platform hooks.
#include "tools/validate/AllocationWatch.h"

namespace allochook {

std::atomic<bool> watching{false};
std::atomic<uint64_t> watchedThread{0};
std::atomic<uint64_t> allocationCount{0};
std::atomic<uint64_t> freeCount{0};

void startWatchingThisThread() {
  watchedThread.store(currentThreadKey(), std::memory_order_relaxed);
  watching.store(true, std::memory_order_release);
}

void stopWatching() {
  watching.store(false, std::memory_order_release);
}
uint64_t allocations() {
  return allocationCount.load();
}
uint64_t frees() {
  return freeCount.load();
}

}  // namespace allochook
