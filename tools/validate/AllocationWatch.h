// Inside the allocation hook: whether the calling thread is the watched one, and counting.
#pragma once

#include <atomic>
#include <cstdint>

#include "tools/validate/AllocationHook.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <pthread.h>
#endif

namespace allochook {

extern std::atomic<bool> watching;
extern std::atomic<uint64_t> watchedThread;
extern std::atomic<uint64_t> allocationCount;
extern std::atomic<uint64_t> freeCount;

inline uint64_t currentThreadKey() {
#if defined(_WIN32)
  return GetCurrentThreadId();
#else
  return static_cast<uint64_t>(pthread_self());
#endif
}

inline bool onWatchedThread() {
  return watching.load(std::memory_order_relaxed) &&
         watchedThread.load(std::memory_order_relaxed) == currentThreadKey();
}
inline void countAllocation() {
  if (onWatchedThread()) allocationCount.fetch_add(1, std::memory_order_relaxed);
}
inline void countFree(const void* p) {
  if (p != nullptr && onWatchedThread()) freeCount.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace allochook
