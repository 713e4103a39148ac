// Windows: the plug-in module's import table entries for the C runtime's and the system's
// heap functions are pointed at counting wrappers that call the originals.
#include <windows.h>

#include <cstring>

#include "tools/host/ImportTable.h"
#include "tools/validate/AllocationWatch.h"

namespace allochook {
namespace {

using MallocFn = void* (*)(size_t);
using CallocFn = void* (*)(size_t, size_t);
using ReallocFn = void* (*)(void*, size_t);
using FreeFn = void (*)(void*);
using AlignedMallocFn = void* (*)(size_t, size_t);
using AlignedReallocFn = void* (*)(void*, size_t, size_t);
using HeapAllocFn = LPVOID(WINAPI*)(HANDLE, DWORD, SIZE_T);
using HeapReAllocFn = LPVOID(WINAPI*)(HANDLE, DWORD, LPVOID, SIZE_T);
using HeapFreeFn = BOOL(WINAPI*)(HANDLE, DWORD, LPVOID);
using LocalAllocFn = HLOCAL(WINAPI*)(UINT, SIZE_T);
using LocalFreeFn = HLOCAL(WINAPI*)(HLOCAL);
using VirtualAllocFn = LPVOID(WINAPI*)(LPVOID, SIZE_T, DWORD, DWORD);

MallocFn originalMalloc;
CallocFn originalCalloc;
ReallocFn originalRealloc;
FreeFn originalFree;
AlignedMallocFn originalAlignedMalloc;
AlignedReallocFn originalAlignedRealloc;
FreeFn originalAlignedFree;
HeapAllocFn originalHeapAlloc;
HeapReAllocFn originalHeapReAlloc;
HeapFreeFn originalHeapFree;
LocalAllocFn originalLocalAlloc;
LocalFreeFn originalLocalFree;
LocalAllocFn originalGlobalAlloc;
VirtualAllocFn originalVirtualAlloc;

void* hookMalloc(size_t size) {
  countAllocation();
  return originalMalloc(size);
}
void* hookCalloc(size_t count, size_t size) {
  countAllocation();
  return originalCalloc(count, size);
}
void* hookRealloc(void* p, size_t size) {
  countAllocation();
  return originalRealloc(p, size);
}
void hookFree(void* p) {
  countFree(p);
  originalFree(p);
}
void* hookAlignedMalloc(size_t size, size_t alignment) {
  countAllocation();
  return originalAlignedMalloc(size, alignment);
}
void* hookAlignedRealloc(void* p, size_t size, size_t alignment) {
  countAllocation();
  return originalAlignedRealloc(p, size, alignment);
}
void hookAlignedFree(void* p) {
  countFree(p);
  originalAlignedFree(p);
}
LPVOID WINAPI hookHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size) {
  countAllocation();
  return originalHeapAlloc(heap, flags, size);
}
LPVOID WINAPI hookHeapReAlloc(HANDLE heap, DWORD flags, LPVOID p, SIZE_T size) {
  countAllocation();
  return originalHeapReAlloc(heap, flags, p, size);
}
BOOL WINAPI hookHeapFree(HANDLE heap, DWORD flags, LPVOID p) {
  countFree(p);
  return originalHeapFree(heap, flags, p);
}
HLOCAL WINAPI hookLocalAlloc(UINT flags, SIZE_T size) {
  countAllocation();
  return originalLocalAlloc(flags, size);
}
HLOCAL WINAPI hookLocalFree(HLOCAL p) {
  countFree(p);
  return originalLocalFree(p);
}
HLOCAL WINAPI hookGlobalAlloc(UINT flags, SIZE_T size) {
  countAllocation();
  return originalGlobalAlloc(flags, size);
}
LPVOID WINAPI hookVirtualAlloc(LPVOID address, SIZE_T size, DWORD type, DWORD protect) {
  countAllocation();
  return originalVirtualAlloc(address, size, type, protect);
}

struct Redirect {
  const char* name;
  void* hook;
  void** original;
};

template <typename Fn>
Redirect redirect(const char* name, Fn hook, Fn* original) {
  return {name, reinterpret_cast<void*>(hook), reinterpret_cast<void**>(original)};
}

const Redirect* findRedirect(const char* name) {
  static const Redirect table[] = {
      redirect("malloc", &hookMalloc, &originalMalloc),
      redirect("calloc", &hookCalloc, &originalCalloc),
      redirect("realloc", &hookRealloc, &originalRealloc),
      redirect("free", &hookFree, &originalFree),
      redirect("_aligned_malloc", &hookAlignedMalloc, &originalAlignedMalloc),
      redirect("_aligned_realloc", &hookAlignedRealloc, &originalAlignedRealloc),
      redirect("_aligned_free", &hookAlignedFree, &originalAlignedFree),
      redirect("HeapAlloc", &hookHeapAlloc, &originalHeapAlloc),
      redirect("HeapReAlloc", &hookHeapReAlloc, &originalHeapReAlloc),
      redirect("HeapFree", &hookHeapFree, &originalHeapFree),
      redirect("LocalAlloc", &hookLocalAlloc, &originalLocalAlloc),
      redirect("LocalFree", &hookLocalFree, &originalLocalFree),
      redirect("GlobalAlloc", &hookGlobalAlloc, &originalGlobalAlloc),
      redirect("VirtualAlloc", &hookVirtualAlloc, &originalVirtualAlloc),
  };
  for (const Redirect& r : table)
    if (std::strcmp(r.name, name) == 0) return &r;
  return nullptr;
}

}  // namespace

bool available() {
  return true;
}

bool attach(const void* addressInPlugin) {
  HMODULE module = moduleContaining(addressInPlugin);
  if (module == nullptr) return false;
  forEachNamedImport(module, [](const char* name, void** entry) {
    const Redirect* r = findRedirect(name);
    if (r == nullptr || *entry == r->hook) return;
    if (*r->original == nullptr) *r->original = *entry;
    if (*r->original == *entry) setImportEntry(entry, r->hook);
  });
  return true;
}

}  // namespace allochook
