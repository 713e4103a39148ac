// Page-fenced buffers with mmap/mprotect or VirtualAlloc/VirtualProtect.
#include "tools/validate/FencedMemory.h"

#include <cstring>
#include <new>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

size_t pageSize() {
#if defined(_WIN32)
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return info.dwPageSize;
#else
  return static_cast<size_t>(sysconf(_SC_PAGESIZE));
#endif
}

}  // namespace

FencedMemory::FencedMemory(const std::vector<uint8_t>& bytes) : size_(bytes.size()) {
  const size_t page = pageSize();
  const size_t dataPages = (size_ + page - 1) / page;
  mapped_ = (dataPages + 1) * page;
#if defined(_WIN32)
  base_ = VirtualAlloc(nullptr, mapped_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (base_ == nullptr) throw std::bad_alloc();
  DWORD previous = 0;
  VirtualProtect(static_cast<uint8_t*>(base_) + dataPages * page, page, PAGE_NOACCESS, &previous);
#else
  base_ = mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (base_ == MAP_FAILED) throw std::bad_alloc();
  mprotect(static_cast<uint8_t*>(base_) + dataPages * page, page, PROT_NONE);
#endif
  data_ = static_cast<uint8_t*>(base_) + dataPages * page - size_;
  if (size_ > 0) std::memcpy(data_, bytes.data(), size_);
}

FencedMemory::~FencedMemory() {
#if defined(_WIN32)
  VirtualFree(base_, 0, MEM_RELEASE);
#else
  munmap(base_, mapped_);
#endif
}
