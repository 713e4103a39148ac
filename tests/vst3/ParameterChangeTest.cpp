// A VST 3 parameter change inside a block acts on its frame, as it does on VST 2 between two
// blocks split there; a change at a block's start acts as VST 2's change before the block.
#include <gtest/gtest.h>

#include "params/ParamIds.h"
#include "tests/formats/FormatDrivers.h"

namespace {

TEST(Vst3ParameterChanges, ApplyOnTheirFrames) {
  for (Precision precision : {Precision::Single, Precision::Double}) {
    Performance p;
    p.precision = precision;
    p.blocks = {512};
    p.frames = 48000;
    p.midi = {{0, 0x90, 57, 110}, {30000, 0x80, 57, 0}};
    p.parameters = {{1000, kOutput, 0.5f},        {1024, kSquare, 0.25f},
                    {5000, kTranspose, 0.75f},    {5001, kVibratoDepth, 0.5f},
                    {20000, kTremoloDepth, 1.0f}, {20000, kTremoloRate, 0.125f},
                    {31000, kRelease, 0.0625f}};
    const std::vector<double> vst2 = playVst2(p);
    const std::vector<double> vst3 = playVst3(p);
    EXPECT_EQ(differingSamples(vst2, vst3), 0u);
    // Moved to another frame, the change is heard elsewhere: the frame matters.
    Performance late = p;
    late.parameters[0].frame = 1100;
    EXPECT_NE(differingSamples(vst2, playVst3(late)), 0u);
  }
}

}  // namespace
