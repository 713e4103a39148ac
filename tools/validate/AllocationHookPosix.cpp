// Linux: the malloc family defined here takes precedence over the C library's for every
// module of the process, plug-ins included, and forwards to the C library's own entries.
// Left out under the sanitizers, which replace the allocator themselves.
#include <cstddef>

#include "tools/validate/AllocationWatch.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define BRISALONDE_ALLOCATOR_HOOK 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || \
    __has_feature(memory_sanitizer)
#define BRISALONDE_ALLOCATOR_HOOK 0
#endif
#endif
#ifndef BRISALONDE_ALLOCATOR_HOOK
#define BRISALONDE_ALLOCATOR_HOOK 1
#endif

namespace allochook {
bool available() {
  return BRISALONDE_ALLOCATOR_HOOK != 0;
}
bool attach(const void*) {
  return available();
}
}  // namespace allochook

#if BRISALONDE_ALLOCATOR_HOOK

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* p, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* p);

void* malloc(size_t size) {
  allochook::countAllocation();
  return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
  allochook::countAllocation();
  return __libc_calloc(count, size);
}
void* realloc(void* p, size_t size) {
  allochook::countAllocation();
  return __libc_realloc(p, size);
}
void* memalign(size_t alignment, size_t size) {
  allochook::countAllocation();
  return __libc_memalign(alignment, size);
}
void* aligned_alloc(size_t alignment, size_t size) {
  allochook::countAllocation();
  return __libc_memalign(alignment, size);
}
int posix_memalign(void** out, size_t alignment, size_t size) {
  allochook::countAllocation();
  void* p = __libc_memalign(alignment, size);
  if (p == nullptr) return 12;  // ENOMEM
  *out = p;
  return 0;
}
void free(void* p) {
  allochook::countFree(p);
  __libc_free(p);
}
}

#endif
