// The SSE control and status register as a host sets it around a plug-in's calls.
#pragma once

#include <xmmintrin.h>

namespace fpenv {

constexpr unsigned kHostDefault = 0x1F80;  // all exceptions masked, round to nearest
constexpr unsigned kFlushToZero = 0x8000;
constexpr unsigned kDenormalsAreZero = 0x0040;
constexpr unsigned kRoundDown = 0x2000;
constexpr unsigned kControlBits = 0xFFC0;   // everything but the sticky exception flags
constexpr unsigned kDenormalFlag = 0x0002;  // a denormal operand was used
constexpr unsigned kExceptionFlags = 0x003F;

inline unsigned read() {
  return _mm_getcsr();
}
inline void write(unsigned mode) {
  _mm_setcsr(mode);
}

}  // namespace fpenv
