// The voice's polynomial kernels against the C library, over their whole working ranges, in
// the baseline form; the wide forms are checked through the voice (EnginePathsTest).
#include <cmath>
#include <limits>
#include <random>

#include "engine/CycleTrig.h"
#include "engine/Sse2Lanes.h"
#include "gtest/gtest.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
using Lanes = voice::Sse2Lanes;

double lane0(__m128d v) {
  return _mm_cvtsd_f64(v);
}

double lane1(__m128d v) {
  return _mm_cvtsd_f64(_mm_unpackhi_pd(v, v));
}

double sinOfPhase(double p) {
  return lane0(voice::sinOfPhase<Lanes>(_mm_set1_pd(p)));
}

double exp2Small(double x) {
  return lane0(voice::exp2Small<Lanes>(_mm_set1_pd(x)));
}

TEST(CycleTrig, SineOfPhaseMatchesTheLibraryToTheLastPlaces) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> phase(0.0, 1.0);
  double largest = 0.0;
  for (int i = 0; i < 200000; ++i) {
    const double p = i % 2 ? phase(random) : i / 200000.0;
    largest = std::max(largest, std::fabs(sinOfPhase(p) - std::sin(kTwoPi * p)));
  }
  EXPECT_LT(largest, 1e-15);
}

// The fold meets itself at every eighth of a cycle; a wrong sign or offset in one quarter
// shows up there.
TEST(CycleTrig, SineIsContinuousAndRightAcrossTheFoldsOfTheCycle) {
  for (int k = 0; k <= 8; ++k) {
    const double edge = k / 8.0;
    for (double p : {std::nextafter(edge, 0.0), edge, std::nextafter(edge, 1.0)}) {
      if (p < 0.0 || p >= 1.0) continue;
      EXPECT_NEAR(sinOfPhase(p), std::sin(kTwoPi * p), 1e-15) << p;
    }
  }
  EXPECT_NEAR(sinOfPhase(1e-300), 0.0, 1e-299);
  EXPECT_NEAR(sinOfPhase(std::nextafter(1.0, 0.0)), -kTwoPi * 0x1p-53, 1e-15);
}

TEST(CycleTrig, SineHitsItsZerosExactlyAndItsPeaksToTheLastPlace) {
  EXPECT_EQ(sinOfPhase(0.0), 0.0);
  EXPECT_EQ(sinOfPhase(0.5), 0.0);
  EXPECT_NEAR(sinOfPhase(0.25), 1.0, 2.3e-16);
  EXPECT_NEAR(sinOfPhase(0.75), -1.0, 2.3e-16);
  // Both lanes are independent.
  const __m128d two = voice::sinOfPhase<Lanes>(_mm_set_pd(0.75, 0.25));
  EXPECT_EQ(lane0(two), sinOfPhase(0.25));
  EXPECT_EQ(lane1(two), sinOfPhase(0.75));
}

TEST(CycleTrig, FoldedPhaseIsTheDistanceToTheNearestHalfCycle) {
  for (double p : {0.0, 0.01, 0.2, 0.25, 0.3, 0.49, 0.5, 0.51, 0.74, 0.8, 0.999}) {
    const voice::FoldedPhase<Lanes> f = voice::foldPhase<Lanes>(_mm_set1_pd(p));
    const double nearest = std::round(2.0 * p) / 2.0;
    EXPECT_NEAR(lane0(f.r), std::fabs(p - nearest), 1e-16) << p;
  }
}

TEST(CycleTrig, PowerOfTwoMatchesTheLibraryOverTheVibratoRange) {
  double largest = 0.0;
  for (int i = 0; i <= 100000; ++i) {
    const double x = -0.125 + 0.25 * i / 100000.0;
    largest = std::max(largest, std::fabs(exp2Small(x) / std::exp2(x) - 1.0));
  }
  EXPECT_LT(largest, 5e-16);
  EXPECT_EQ(exp2Small(0.0), 1.0);
  EXPECT_EQ(exp2Small(-0.0), 1.0);
}

}  // namespace
