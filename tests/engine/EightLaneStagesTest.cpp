// The stages' templates with eight lanes (the AVX-512 form's count and layout) in plain
// arrays, so that they run on every processor: the same samples as the SSE2 form, whatever
// the block size, and every frame of a partial last vector written.
#include <vector>

#include "engine/StageKernels.h"
#include "engine/VibratoKernel.h"
#include "gtest/gtest.h"
#include "tests/engine/ArrayLanes.h"
#include "tests/engine/Scenarios.h"
#include "tests/engine/UnitEngine.h"

namespace {

using EightLanes = ArrayLanes<8>;

void renderFloat(ToneEngine& e, const OutputChannels<float>& out, int32_t offset) {
  voice::renderStages<EightLanes>(e, out, offset);
}

void renderDouble(ToneEngine& e, const OutputChannels<double>& out, int32_t offset) {
  voice::renderStages<EightLanes>(e, out, offset);
}

void vibratoRatios(StageBuffers& b, int from, int to) {
  voice::runVibratoRatios<EightLanes>(b, from, to);
}

const StageFunctions kEightLaneStages = {renderFloat, renderDouble, vibratoRatios};

// Renders with the eight-lane stages while it lives.
class EightLaneStages : public ::testing::Test {
 protected:
  void SetUp() override { useStagesForTest(kEightLaneStages); }
  void TearDown() override { useEnginePath(before_); }

 private:
  EnginePath before_ = activeEnginePath();
};

Renders baselineOf(const Scenario& s, int32_t block) {
  const ForcedPath baseline(EnginePath::Sse2);
  return render(s, block, false);
}

TEST_F(EightLaneStages, RenderTheBaselineSamplesForEveryBlockSize) {
  for (const Scenario& s : {everyModulation(), clampedPitches(96000.0)}) {
    const std::vector<double> baseline = baselineOf(s, 256).engine;
    EXPECT_LT(largestDifference(render(s, 256, false).engine, baseline), 1e-12) << s.rate;
  }
  Scenario s = clampedPitches(48000.0);
  s.frames = 6000;
  const Renders whole = render(s, 4096, false);
  EXPECT_LT(largestDifference(whole.engine, baselineOf(s, 4096).engine), 1e-12);
  for (int32_t block : {1, 7, 9, 127, 135, 333})
    EXPECT_EQ(render(s, block, false).engine, whole.engine) << "blocks of " << block;
}

TEST_F(EightLaneStages, PartialLastVectorReachesEveryChannelAndNothingBeyond) {
  UnitEngine unit(44100.0);
  unit.add(0, 0x90, 70, 110);
  constexpr int kFrames = 128 + 13;
  std::vector<float> left(kFrames + 1, 0.5f), right(kFrames + 1, 0.5f);
  float* outs[2] = {left.data(), right.data()};
  processBlock(*unit.engine, *unit.queue, unit.params.get(), outs, kFrames, true);
  EXPECT_EQ(left, right);
  EXPECT_EQ(left[kFrames], 0.5f) << "written past the block";
  EXPECT_NE(left[kFrames - 1], 0.5f) << "the last frame was not added to";
}

}  // namespace
