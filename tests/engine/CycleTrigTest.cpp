// The voice's polynomial kernels against the C library, over their whole working ranges.
#include <cmath>
#include <random>

#include "engine/CycleTrig.h"
#include "gtest/gtest.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

double sinOfCycles(double n) {
  return voice::lane0(voice::sinCycles(_mm_set1_pd(n)));
}

TEST(CycleTrig, SineOfCyclesMatchesTheLibraryToTheLastPlaces) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> phase(0.0, 1.0);
  double largest = 0.0;
  for (int i = 0; i < 200000; ++i) {
    const double n = i % 2 ? phase(random) : i / 200000.0;
    largest = std::max(largest, std::fabs(sinOfCycles(n) - std::sin(kTwoPi * n)));
  }
  EXPECT_LT(largest, 1e-15);
}

TEST(CycleTrig, SineHitsItsZerosExactlyAndItsPeaksToTheLastPlace) {
  EXPECT_EQ(sinOfCycles(0.0), 0.0);
  EXPECT_EQ(sinOfCycles(0.5), 0.0);
  EXPECT_NEAR(sinOfCycles(0.25), 1.0, 2.3e-16);
  EXPECT_NEAR(sinOfCycles(0.75), -1.0, 2.3e-16);
  // Both lanes are independent.
  const __m128d two = voice::sinCycles(_mm_set_pd(0.75, 0.25));
  EXPECT_EQ(voice::lane0(two), sinOfCycles(0.25));
  EXPECT_EQ(voice::lane1(two), sinOfCycles(0.75));
}

TEST(CycleTrig, SineFoldsPhasesOutsideOneCycle) {
  for (double n : {-0.3, 1.2, 7.9, -123.45})
    EXPECT_NEAR(sinOfCycles(n), std::sin(kTwoPi * n), 1e-13) << n;
}

TEST(CycleTrig, PowerOfTwoMatchesTheLibraryOverTheVibratoRange) {
  double largest = 0.0;
  for (int i = 0; i <= 100000; ++i) {
    const double x = -0.125 + 0.25 * i / 100000.0;
    largest = std::max(largest, std::fabs(voice::exp2Small(x) / std::exp2(x) - 1.0));
  }
  EXPECT_LT(largest, 5e-16);
  EXPECT_EQ(voice::exp2Small(0.0), 1.0);
  EXPECT_EQ(voice::exp2Small(-0.0), 1.0);
}

}  // namespace
