// Process-wide replacements of the allocation, locking and throwing functions, forwarding to
// the C library's and the C++ runtime's own and counting calls while counting is on.
#include "tests/engine/RealtimeHooks.h"

#include <dlfcn.h>
#include <pthread.h>

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <new>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
}

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0}, locks{0}, throws{0};

void noteAllocation() {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1);
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
  allocations = 0;
  locks = 0;
  throws = 0;
  counting = true;
}

RealtimeCounts stopCounting() {
  counting = false;
  return {allocations.load(), locks.load(), throws.load()};
}

}  // namespace realtime

extern "C" {

void* malloc(size_t size) {
  noteAllocation();
  return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) {
  noteAllocation();
  return __libc_calloc(count, size);
}

void* realloc(void* block, size_t size) {
  noteAllocation();
  return __libc_realloc(block, size);
}

void* memalign(size_t alignment, size_t size) {
  noteAllocation();
  return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size) {
  noteAllocation();
  return __libc_memalign(alignment, size);
}

int posix_memalign(void** out, size_t alignment, size_t size) {
  noteAllocation();
  void* block = __libc_memalign(alignment, size);
  if (block == nullptr) return ENOMEM;
  *out = block;
  return 0;
}

void free(void* block) {
  if (block != nullptr) noteAllocation();
  __libc_free(block);
}

int pthread_mutex_lock(pthread_mutex_t* mutex) {
  if (counting.load(std::memory_order_relaxed)) locks.fetch_add(1);
  return realMutexLock(mutex);
}

int pthread_mutex_trylock(pthread_mutex_t* mutex) {
  if (counting.load(std::memory_order_relaxed)) locks.fetch_add(1);
  return realMutexTryLock(mutex);
}

void* __cxa_allocate_exception(size_t size) noexcept {
  if (counting.load(std::memory_order_relaxed)) throws.fetch_add(1);
  return realAllocateException(size);
}

[[noreturn]] void __cxa_throw(void* object, void* type, void (*destroy)(void*)) {
  realThrow(object, type, destroy);
  __builtin_unreachable();
}

}  // extern "C"

void* operator new(size_t size) {
  void* block = malloc(size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void* operator new[](size_t size) {
  return operator new(size);
}

void* operator new(size_t size, const std::nothrow_t&) noexcept {
  return malloc(size);
}

void* operator new[](size_t size, const std::nothrow_t&) noexcept {
  return malloc(size);
}

void* operator new(size_t size, std::align_val_t alignment) {
  void* block = aligned_alloc(static_cast<size_t>(alignment), size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void* operator new[](size_t size, std::align_val_t alignment) {
  return operator new(size, alignment);
}

void operator delete(void* block) noexcept {
  free(block);
}

void operator delete[](void* block) noexcept {
  free(block);
}

void operator delete(void* block, size_t) noexcept {
  free(block);
}

void operator delete[](void* block, size_t) noexcept {
  free(block);
}

void operator delete(void* block, std::align_val_t) noexcept {
  free(block);
}

void operator delete[](void* block, std::align_val_t) noexcept {
  free(block);
}

void operator delete(void* block, size_t, std::align_val_t) noexcept {
  free(block);
}

void operator delete[](void* block, size_t, std::align_val_t) noexcept {
  free(block);
}
