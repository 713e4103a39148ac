// Our declarations of the VST 3 binary interface, part 1: scalar types, 16-byte interface
// ids, result codes, the reference-counted base interface and byte streams. Written from the
// interface's published ids, method orders and layouts; x86-64 only (Linux and Windows).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

static_assert(sizeof(void*) == 8, "these layouts are the x86-64 ones");

// Interface methods use the platform's standard calling convention. On x86-64 the declared
// convention (stdcall on Windows, the default elsewhere) is the one default convention.
#if defined(_WIN32)
#define VST3_CALL __stdcall
#define VST3_WINDOWS_IDS 1
#else
#define VST3_CALL
#define VST3_WINDOWS_IDS 0
#endif

namespace vst3 {

using tresult = int32_t;
using TBool = uint8_t;
using char8 = char;
using char16 = char16_t;  // UTF-16 on every platform
using FIDString = const char8*;
using TUID = char[16];

// Result codes. Windows uses the COM values; other platforms use small numbers.
#if VST3_WINDOWS_IDS
inline constexpr tresult kNoInterface = static_cast<tresult>(0x80004002u);
inline constexpr tresult kResultOk = 0;
inline constexpr tresult kResultFalse = 1;
inline constexpr tresult kInvalidArgument = static_cast<tresult>(0x80070057u);
inline constexpr tresult kNotImplemented = static_cast<tresult>(0x80004001u);
inline constexpr tresult kInternalError = static_cast<tresult>(0x80004005u);
inline constexpr tresult kNotInitialized = static_cast<tresult>(0x8000FFFFu);
inline constexpr tresult kOutOfMemory = static_cast<tresult>(0x8007000Eu);
#else
inline constexpr tresult kNoInterface = -1;
inline constexpr tresult kResultOk = 0;
inline constexpr tresult kResultFalse = 1;
inline constexpr tresult kInvalidArgument = 2;
inline constexpr tresult kNotImplemented = 3;
inline constexpr tresult kInternalError = 4;
inline constexpr tresult kNotInitialized = 5;
inline constexpr tresult kOutOfMemory = 6;
#endif
inline constexpr tresult kResultTrue = kResultOk;

// A 16-byte id written as four 32-bit words. Windows stores the first two words in COM GUID
// order (first word and both halves of the second little-endian); elsewhere every word is
// stored big-endian.
struct Uid {
  char bytes[16];

  constexpr Uid(uint32_t w1, uint32_t w2, uint32_t w3, uint32_t w4) : bytes{} {
    const auto at = [](uint32_t w, int shift) { return static_cast<char>((w >> shift) & 0xFF); };
#if VST3_WINDOWS_IDS
    const int order1[8] = {0, 8, 16, 24, 16, 24, 0, 8};
    for (int i = 0; i < 4; ++i)
      bytes[i] = at(w1, order1[i]);
    for (int i = 4; i < 8; ++i)
      bytes[i] = at(w2, order1[i]);
#else
    for (int i = 0; i < 4; ++i)
      bytes[i] = at(w1, 24 - 8 * i);
    for (int i = 0; i < 4; ++i)
      bytes[4 + i] = at(w2, 24 - 8 * i);
#endif
    for (int i = 0; i < 4; ++i)
      bytes[8 + i] = at(w3, 24 - 8 * i);
    for (int i = 0; i < 4; ++i)
      bytes[12 + i] = at(w4, 24 - 8 * i);
  }
  // Compares with 16 bytes from a host or plug-in; a null pointer matches nothing.
  bool matches(const void* other) const {
    return other != nullptr && std::memcmp(bytes, other, sizeof bytes) == 0;
  }
};
static_assert(sizeof(Uid) == 16);

class FUnknown {
 public:
  virtual tresult VST3_CALL queryInterface(const TUID iid, void** obj) = 0;
  virtual uint32_t VST3_CALL addRef() = 0;
  virtual uint32_t VST3_CALL release() = 0;
};
inline constexpr Uid kIidFUnknown{0x00000000, 0x00000000, 0xC0000000, 0x00000046};

class IPluginBase : public FUnknown {
 public:
  virtual tresult VST3_CALL initialize(FUnknown* context) = 0;
  virtual tresult VST3_CALL terminate() = 0;
};
inline constexpr Uid kIidIPluginBase{0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625};

// A byte stream with one read/write position.
class IBStream : public FUnknown {
 public:
  enum SeekMode : int32_t { kIBSeekSet = 0, kIBSeekCur = 1, kIBSeekEnd = 2 };
  virtual tresult VST3_CALL read(void* buffer, int32_t numBytes, int32_t* numBytesRead) = 0;
  virtual tresult VST3_CALL write(void* buffer, int32_t numBytes, int32_t* numBytesWritten) = 0;
  virtual tresult VST3_CALL seek(int64_t pos, int32_t mode, int64_t* result) = 0;
  virtual tresult VST3_CALL tell(int64_t* pos) = 0;
};
inline constexpr Uid kIidIBStream{0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B};

}  // namespace vst3
