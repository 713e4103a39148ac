// The floating-point mode the engine renders in, set for the length of one processing call:
// denormals flushed to zero on output and treated as zero on input, so that decaying
// filter states and envelopes never take the slow path; round to nearest; all exceptions
// masked. The host's own mode is restored on return. Every x86-64 processor has both
// flush-to-zero and denormals-are-zero.
#pragma once

#include <xmmintrin.h>

class ProcessingFloatMode {
 public:
  static constexpr unsigned kAllExceptionsMasked = 0x1F80;
  static constexpr unsigned kDenormalsAreZero = 0x0040;
  static constexpr unsigned kFlushToZero = 0x8000;
  static constexpr unsigned kMode = kAllExceptionsMasked | kDenormalsAreZero | kFlushToZero;

  ProcessingFloatMode() : hostMode_(_mm_getcsr()) { _mm_setcsr(kMode); }
  ~ProcessingFloatMode() { _mm_setcsr(hostMode_); }
  ProcessingFloatMode(const ProcessingFloatMode&) = delete;
  ProcessingFloatMode& operator=(const ProcessingFloatMode&) = delete;

 private:
  unsigned hostMode_;
};
