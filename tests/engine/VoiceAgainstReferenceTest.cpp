// The engine's voice against the plain evaluation of its formulas, in every vector form: the
// samples may differ only by rounding, across notes, controllers, parameter changes and
// sample rates.
#include <cstdio>

#include "gtest/gtest.h"
#include "tests/engine/Scenarios.h"
#include "tests/engine/UnitEngine.h"

namespace {

constexpr int32_t kBlock = 256;

class VoiceAgainstReference : public ::testing::TestWithParam<EnginePath> {
 protected:
  void SetUp() override {
    if (!path_.ok()) GTEST_SKIP() << pathName(GetParam()) << " is not on this processor";
  }

  void expectRoundingOnly(const char* name, const Scenario& s) {
    const Renders r = render(s, kBlock, true);
    const double difference = largestDifference(r.engine, r.reference);
    const double peak = peakOf(r.reference);
    std::printf("%s, %s: largest difference %.3g at peak level %.3g\n", pathName(GetParam()), name,
                difference, peak);
    EXPECT_GT(peak, 0.01) << name << " must make sound";
    EXPECT_LT(difference, 1e-12) << name;
  }

 private:
  ForcedPath path_{GetParam()};
};

TEST_P(VoiceAgainstReference, DefaultsHeldAndReleased) {
  expectRoundingOnly("defaults", heldAndReleased());
}

TEST_P(VoiceAgainstReference, EveryModulationAndControllerAtOnce) {
  expectRoundingOnly("all modulations", everyModulation());
}

TEST_P(VoiceAgainstReference, RetriggerFadeEndingInARelease) {
  expectRoundingOnly("fade into release", fadeIntoRelease());
}

TEST_P(VoiceAgainstReference, ModulationComingInAfterALongSettledNote) {
  expectRoundingOnly("modulation after a settled note", modulationAfterASettledNote());
}

TEST_P(VoiceAgainstReference, ClampedPitchesAndMovingHarmonicLimits) {
  expectRoundingOnly("clamped at 8000 Hz", clampedPitches(8000.0));
  expectRoundingOnly("clamped at 96000 Hz", clampedPitches(96000.0));
}

INSTANTIATE_TEST_SUITE_P(EveryPath, VoiceAgainstReference,
                         ::testing::Values(EnginePath::Sse2, EnginePath::Avx2Fma,
                                           EnginePath::Avx512),
                         [](const auto& info) { return testNameOf(info.param); });

}  // namespace
