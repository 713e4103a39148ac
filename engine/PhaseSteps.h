// How the voice's phases advance: by a fixed increment per step, wrapping from 1 to 0. The
// control stage and the oscillator bank both step phases by this rule, and a phase that no
// stage reads may jump many steps at once to the same bits.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

namespace voice {

// frac(x) = x - floor(x) for a phase in [0, 1) advanced by an increment in [0, 1): the sum
// lies in [0, 2), where subtracting 1 is exact. All three phases keep to this: the
// modulation rates are at most 8 Hz at 8000 Hz or more, and the oscillator's increment is
// at most 0.22 cycles, as the modulated frequency stops at 0.44 of the rate. The wrap is
// rare, so it is a branch rather than arithmetic on every step.
[[gnu::always_inline]] inline double advancePhase(double phase, double increment) {
  double sum = phase + increment;
  if (__builtin_expect(sum >= 1.0, 0)) sum -= 1.0;
  return sum;
}

// The phase after `steps` steps of advancePhase, with the same bits. Inside one binade
// [low, 2 low) every phase is a multiple of low * 2^-52 and each addition adds the same
// rounded increment exactly, so k steps there add k times it at once; the step out of a
// binade, and steps from phases so small that a binade holds few of them, go one by one. An
// increment exactly halfway between two multiples rounds to even, alternately up and down:
// its binade goes step by step too.
inline double advancePhaseBy(double phase, double increment, int steps) {
  constexpr double kSmallest = 0x1p-900;  // far from the subnormal numbers
  // Fewer steps than this go one by one: cheaper than the division that would jump them.
  constexpr int kFewestToJump = 8;
  for (; steps > 0 && steps < kFewestToJump; --steps)
    phase = advancePhase(phase, increment);
  while (steps > 0) {
    const double low = std::bit_cast<double>(std::bit_cast<uint64_t>(phase) & 0xfff0000000000000u);
    const double top = 2.0 * low;
    // Exact while the sum stays below top; where it does not, the fit below is 0.
    const double step = (phase + increment) - phase;
    // phase + k step < top for k below (top - phase) / step; one less allows for the
    // division's rounding. phase + k step is then a multiple of the unit below top: exact.
    const double fit =
        phase >= kSmallest && std::fabs(increment - step) != low * 0x1p-53 && step > 0.0
            ? std::floor((top - phase) / step) - 1.0
            : 0.0;
    if (fit >= 1.0) {
      const int jump = fit < steps ? static_cast<int>(fit) : steps;
      phase += jump * step;
      steps -= jump;
    } else {
      phase = advancePhase(phase, increment);
      --steps;
    }
  }
  return phase;
}

}  // namespace voice
