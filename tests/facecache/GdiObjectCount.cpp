// Counting GDI objects, through GetGuiResources or the GDI handle table.
#include "tests/facecache/GdiObjectCount.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>

namespace {

// One entry of the GDI handle table on x86-64: a kernel object, the owner, a reuse count, the
// object type (0 while the entry is free), flags and a user-mode pointer.
struct GdiHandleEntry {
  uint64_t object;
  uint32_t owner;
  uint16_t unique;
  uint8_t type;
  uint8_t flags;
  uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr size_t kGdiHandleSlots = 0x10000;
constexpr size_t kHandleTableOffsetInPeb = 0xF8;

const GdiHandleEntry* gdiHandleTable() {
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic,
                                nullptr) != 0 ||
      basic.PebBaseAddress == nullptr)
    return nullptr;
  const auto* peb = reinterpret_cast<const unsigned char*>(basic.PebBaseAddress);
  return *reinterpret_cast<const GdiHandleEntry* const*>(peb + kHandleTableOffsetInPeb);
}

}  // namespace

size_t liveGdiObjects() {
  const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (counted != 0) return counted;
  const GdiHandleEntry* table = gdiHandleTable();
  if (table == nullptr) return 0;
  size_t live = 0;
  for (size_t slot = 0; slot < kGdiHandleSlots; ++slot)
    if (table[slot].type != 0) ++live;
  return live;
}
