// The LV2 build plays exactly the VST 2 build's samples: for the defaults and each factory
// program (an LV2 preset, a VST 2 program), in 512-frame blocks and in irregular ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "params/Programs.h"
#include "tests/lv2/Lv2Host.h"
#include "tests/lv2/Phrase.h"
#include "tools/host/HostedPlugin.h"

namespace {

struct Render {
  std::vector<float> left, right;
};

// `program` < 0: the defaults.
Render renderVst2(int32_t program, const std::vector<uint32_t>& blocks) {
  PluginModule module;
  EXPECT_TRUE(module.load(BRISALONDE_VST2_PATH)) << module.error();
  HostedPlugin plugin;
  EXPECT_TRUE(plugin.create(module)) << plugin.error();
  EXPECT_TRUE(plugin.configure(kPhraseRate, 4096, Precision::Single)) << plugin.error();
  if (program >= 0) plugin.setProgram(program);
  plugin.resume();
  const std::vector<TimedMidi> phrase = testPhrase();
  EventBlock block;
  Render out;
  int64_t start = 0;
  for (uint32_t frames : blocks) {
    block.clear();
    for (const TimedMidi& m : eventsIn(phrase, start, frames))
      block.add(static_cast<int32_t>(m.frame), m.status, m.data1, m.data2);
    plugin.sendEvents(block);
    plugin.process(static_cast<int32_t>(frames));
    out.left.insert(out.left.end(), plugin.floatOutput(0), plugin.floatOutput(0) + frames);
    out.right.insert(out.right.end(), plugin.floatOutput(1), plugin.floatOutput(1) + frames);
    start += frames;
  }
  plugin.suspend();
  plugin.close();
  return out;
}

Render renderLv2(Lv2World& world, int32_t program, const std::vector<uint32_t>& blocks) {
  Lv2Plugin plugin(world, kPhraseRate);
  EXPECT_TRUE(plugin.ok());
  if (!plugin.ok()) return {};
  if (program >= 0) {
    const LilvNode* preset = world.preset(kProgramNames[program]);
    EXPECT_NE(preset, nullptr) << kProgramNames[program];
    LilvState* state = lilv_state_new_from_world(world.world(), world.map(), preset);
    EXPECT_NE(state, nullptr);
    plugin.apply(state);
    lilv_state_free(state);
  }
  plugin.activate();
  const std::vector<TimedMidi> phrase = testPhrase();
  Render out;
  int64_t start = 0;
  for (uint32_t frames : blocks) {
    plugin.run(frames, eventsIn(phrase, start, frames));
    out.left.insert(out.left.end(), plugin.left().begin(), plugin.left().end());
    out.right.insert(out.right.end(), plugin.right().begin(), plugin.right().end());
    start += frames;
  }
  return out;
}

size_t differing(const Render& a, const Render& b) {
  if (a.left.size() != b.left.size() || a.right.size() != b.right.size()) return SIZE_MAX;
  size_t n = 0;
  for (size_t i = 0; i < a.left.size(); ++i)
    n += (a.left[i] != b.left[i]) + (a.right[i] != b.right[i]);
  return n;
}

class Lv2AgainstVst2 : public ::testing::TestWithParam<int32_t> {};

TEST_P(Lv2AgainstVst2, SameSamplesInRegularAndIrregularBlocks) {
  const int32_t program = GetParam();
  const char* name = program < 0 ? "defaults" : kProgramNames[program];
  Lv2World world(BRISALONDE_LV2_BUNDLE);
  ASSERT_NE(world.plugin(), nullptr);
  for (const bool regular : {true, false}) {
    const std::vector<uint32_t> blocks = regular ? regularBlocks() : irregularBlocks();
    const Render vst2 = renderVst2(program, blocks);
    const Render lv2 = renderLv2(world, program, blocks);
    const size_t n = differing(vst2, lv2);
    std::printf("LV2 against VST 2, %s, %s blocks: %zu of %zu samples differ\n", name,
                regular ? "512-frame" : "irregular", n, 2 * vst2.left.size());
    EXPECT_EQ(n, 0u) << name << (regular ? ", 512-frame blocks" : ", irregular blocks");
    float peak = 0.0f;
    for (float s : lv2.left)
      peak = std::max(peak, std::abs(s));
    EXPECT_GT(peak, 0.05f) << name << ": the phrase must be heard";
  }
}

INSTANTIATE_TEST_SUITE_P(DefaultsAndPrograms, Lv2AgainstVst2, ::testing::Range(-1, kNumPrograms),
                         [](const ::testing::TestParamInfo<int32_t>& info) {
                           return info.param < 0 ? std::string("Defaults")
                                                 : "Program" + std::to_string(info.param);
                         });

}  // namespace
