// Process-wide replacements of the locking and throwing functions, forwarding to the C
// library's and the C++ runtime's own and counting calls while counting is on. Allocations
// are the allocation hook's to count.
#include "tests/engine/RealtimeHooks.h"

#include <dlfcn.h>
#include <pthread.h>

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "tools/validate/AllocationHook.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<long> locks{0}, throws{0};
uint64_t allocationsBefore = 0;

void noteIfCounting(std::atomic<long>& counter) {
  if (counting.load(std::memory_order_relaxed)) counter.fetch_add(1);
}

uint64_t allocationsAndFrees() {
  return allochook::allocations() + allochook::frees();
}

using MutexLock = int (*)(pthread_mutex_t*);
using Throw = void (*)(void*, void*, void (*)(void*));
using AllocateException = void* (*)(size_t);

// Resolved before main, outside any counting.
MutexLock realMutexLock = reinterpret_cast<MutexLock>(dlsym(RTLD_NEXT, "pthread_mutex_lock"));
MutexLock realMutexTryLock = reinterpret_cast<MutexLock>(dlsym(RTLD_NEXT, "pthread_mutex_trylock"));
Throw realThrow = reinterpret_cast<Throw>(dlsym(RTLD_NEXT, "__cxa_throw"));
AllocateException realAllocateException =
    reinterpret_cast<AllocateException>(dlsym(RTLD_NEXT, "__cxa_allocate_exception"));

}  // namespace

namespace realtime {

void startCounting() {
  locks = 0;
  throws = 0;
  allocationsBefore = allocationsAndFrees();
  allochook::startWatchingThisThread();
  counting = true;
}

RealtimeCounts stopCounting() {
  counting = false;
  allochook::stopWatching();
  const auto allocations = static_cast<long>(allocationsAndFrees() - allocationsBefore);
  return {allocations, locks.load(), throws.load()};
}

}  // namespace realtime

// Visible to every module: the plug-in binary's lock calls must find these first, and the
// project builds with hidden visibility by default.
#define REALTIME_HOOK __attribute__((visibility("default")))

extern "C" {

REALTIME_HOOK int pthread_mutex_lock(pthread_mutex_t* mutex) {
  noteIfCounting(locks);
  return realMutexLock(mutex);
}

REALTIME_HOOK int pthread_mutex_trylock(pthread_mutex_t* mutex) {
  noteIfCounting(locks);
  return realMutexTryLock(mutex);
}

REALTIME_HOOK void* __cxa_allocate_exception(size_t size) noexcept {
  noteIfCounting(throws);
  return realAllocateException(size);
}

[[noreturn]] REALTIME_HOOK void __cxa_throw(void* object, void* type, void (*destroy)(void*)) {
  realThrow(object, type, destroy);
  __builtin_unreachable();
}

}  // extern "C"
