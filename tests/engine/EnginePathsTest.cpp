// The vector forms of the stages against each other: the wide forms render the baseline's
// samples to within rounding, every form renders the same bits whatever the block size, and
// every form writes, adds and skips the host's channels as the baseline does.
#include <cmath>
#include <vector>

#include "gtest/gtest.h"
#include "tests/engine/Scenarios.h"
#include "tests/engine/UnitEngine.h"

namespace {

constexpr EnginePath kEveryPath[] = {EnginePath::Sse2, EnginePath::Avx2Fma, EnginePath::Avx512};

class EnginePaths : public ::testing::TestWithParam<EnginePath> {
 protected:
  void SetUp() override {
    if (!path_.ok()) GTEST_SKIP() << pathName(GetParam()) << " is not on this processor";
  }

 private:
  ForcedPath path_{GetParam()};
};

Renders renderWith(EnginePath path, const Scenario& s, int32_t block) {
  const ForcedPath forced(path);
  return render(s, block, false);
}

TEST(EnginePathChoice, LoadTimeChoiceIsTheWidestFormTheProcessorHas) {
  EnginePath widest = EnginePath::Sse2;
  for (EnginePath path : kEveryPath)
    if (processorHas(path)) widest = path;
  EXPECT_EQ(activeEnginePath(), widest);
  EXPECT_TRUE(processorHas(EnginePath::Sse2));
  if (!processorHas(EnginePath::Avx2Fma)) {
    EXPECT_FALSE(processorHas(EnginePath::Avx512));
  }
}

TEST(EnginePathChoice, RefusedFormLeavesTheActiveOneInPlace) {
  const EnginePath before = activeEnginePath();
  for (EnginePath path : kEveryPath) {
    const ForcedPath forced(path);
    EXPECT_EQ(activeEnginePath(), forced.ok() ? path : before) << pathName(path);
  }
  EXPECT_EQ(activeEnginePath(), before);
}

TEST_P(EnginePaths, RendersTheBaselineSamplesWithinRounding) {
  for (const Scenario& s : {everyModulation(), clampedPitches(96000.0), heldAndReleased()}) {
    const Renders baseline = renderWith(EnginePath::Sse2, s, 256);
    const Renders wide = render(s, 256, false);
    EXPECT_GT(peakOf(baseline.engine), 0.01);
    EXPECT_LT(largestDifference(baseline.engine, wide.engine), 1e-12) << s.rate;
  }
}

// Runs split at events, at block ends and at the length of the stage arrays; none of these
// splits may change a single bit.
TEST_P(EnginePaths, EveryBlockSizeGivesTheSameBits) {
  Scenario s = clampedPitches(48000.0);
  s.frames = 9000;
  s.events.insert(s.events.begin() + 2, {{1000, 0xE0, 0, 90}, {1001, 0xB0, 1, 0}});
  const Renders whole = render(s, 4096, false);
  for (int32_t block : {1, 7, 127, 128, 129, 333, 1000}) {
    const Renders split = render(s, block, false);
    EXPECT_EQ(split.engine, whole.engine) << "blocks of " << block;
  }
}

// Runs a few frames apart share the vector stages' chunk while the note's velocity, the
// retrigger fade and the vibrato change between them, with tremolo; and notes on consecutive
// frames under a glide. Blocks of one frame render every frame the general way.
TEST_P(EnginePaths, CloseEventsGiveTheSameBitsForEveryBlockSize) {
  Scenario tremolo{
      44100.0, 3000, {{0, kVelocity, 0.7}, {0, kTremoloDepth, 0.4}, {0, kLegato, 0.0}}, {}};
  tremolo.events = {{3, 0x90, 60, 20},   {5, 0x91, 64, 127}, {6, 0xB0, 1, 90},
                    {130, 0x90, 67, 50}, {131, 0xB0, 1, 0},  {257, 0x81, 64, 0},
                    {258, 0x92, 72, 1},  {259, 0xE0, 0, 20}, {1000, 0xB0, 123, 0},
                    {1001, 0x90, 48, 90}};
  Scenario glide{44100.0, 3000, {{0, kGlide, 0.3}, {0, kVibratoDepth, 0.0}}, {}};
  for (int32_t i = 0; i < 40; ++i)
    glide.events.push_back({200 + i, 0x90, static_cast<uint8_t>(48 + i % 24), 100});
  for (const Scenario& s : {tremolo, glide}) {
    const Renders whole = render(s, 4096, false);
    EXPECT_GT(peakOf(whole.engine), 0.01);
    for (int32_t block : {1, 2, 3, 7, 128, 129, 333}) {
      const Renders split = render(s, block, false);
      EXPECT_EQ(split.engine, whole.engine) << "blocks of " << block;
    }
  }
}

// One block into float channels, replacing or adding, with a length that leaves a partial
// vector at the end.
std::vector<float> singlePrecision(bool accumulate, float fill, bool withLeft) {
  UnitEngine unit(44100.0);
  unit.add(3, 0x90, 64, 100);
  constexpr int kFrames = 2 * 128 + 13;
  std::vector<float> left(kFrames, fill), right(kFrames, fill);
  float* outs[2] = {withLeft ? left.data() : nullptr, right.data()};
  processBlock(*unit.engine, *unit.queue, unit.params.get(), outs, kFrames, accumulate);
  if (withLeft) {
    EXPECT_EQ(left, right);
  }
  return right;
}

TEST_P(EnginePaths, SinglePrecisionWritesAddsAndSkipsMissingChannelsToTheLastFrame) {
  UnitEngine unit(44100.0);
  unit.add(3, 0x90, 64, 100);
  constexpr int kFrames = 2 * 128 + 13;
  std::vector<double> left(kFrames + 1, 9.0), right(kFrames + 1, 9.0);
  double* outs[2] = {left.data(), right.data()};
  processBlockDouble(*unit.engine, *unit.queue, unit.params.get(), outs, kFrames);
  EXPECT_EQ(left, right);
  EXPECT_EQ(left[kFrames], 9.0) << "written past the block";
  EXPECT_GT(std::fabs(left[kFrames - 1]), 1e-3);

  const std::vector<float> replaced = singlePrecision(false, NAN, true);
  const std::vector<float> added = singlePrecision(true, 0.25f, true);
  const std::vector<float> rightOnly = singlePrecision(false, 0.0f, false);
  for (int j = 0; j < kFrames; ++j) {
    EXPECT_EQ(replaced[j], static_cast<float>(left[j])) << j;
    EXPECT_EQ(added[j], 0.25f + static_cast<float>(left[j])) << j;
    EXPECT_EQ(rightOnly[j], replaced[j]) << j;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryPath, EnginePaths, ::testing::ValuesIn(kEveryPath),
                         [](const auto& info) { return testNameOf(info.param); });

}  // namespace
