// A phase advanced many steps at once against the same steps one by one: the same bits,
// across binades, wraps and increments halfway between two multiples of a binade's unit.
#include <cmath>
#include <random>

#include "engine/PhaseSteps.h"
#include "gtest/gtest.h"

namespace {

double stepByStep(double phase, double increment, int steps) {
  for (int i = 0; i < steps; ++i)
    phase = voice::advancePhase(phase, increment);
  return phase;
}

void expectSameBits(double phase, double increment, int steps) {
  EXPECT_EQ(voice::advancePhaseBy(phase, increment, steps), stepByStep(phase, increment, steps))
      << std::hexfloat << "phase " << phase << " increment " << increment << " steps " << steps;
}

TEST(PhaseSteps, ManyStepsAtOnceGiveTheBitsOfSingleSteps) {
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int trial = 0; trial < 50000 && !HasFailure(); ++trial) {
    double phase = unit(random);
    if (trial % 5 == 0) phase = std::ldexp(std::floor(phase * 1024.0), -10);  // short
    if (trial % 7 == 0) phase = 0.0;
    if (trial % 11 == 0) phase = std::nextafter(1.0, 0.0);
    double increment = trial % 2 == 0 ? 0.22 * unit(random) : 2e-4 * unit(random);
    // Few significant bits: sums that fall exactly halfway between two multiples of a
    // binade's unit, where rounding to even alternates.
    if (trial % 3 == 0) increment = std::ldexp(std::floor(unit(random) * 4096.0) + 1.0, -40);
    expectSameBits(phase, increment, static_cast<int>(unit(random) * 5000.0));
  }
}

TEST(PhaseSteps, StepsThatEndAtABinadeOrAWrap) {
  // Phases ending exactly on a power of two, and on the wrap, by every count near it.
  for (int steps = 0; steps < 40; ++steps) {
    expectSameBits(0.25, 0x1p-5, steps);
    expectSameBits(0.5 - 8 * 0x1p-7, 0x1p-7, steps);
    expectSameBits(1.0 - 16 * 0x1p-8, 0x1p-8, steps);
    expectSameBits(0x1p-20, 0x1p-20, steps);
  }
}

}  // namespace
