// The VST 3 build plays the same bits as the VST 2 build: for the defaults and each program,
// with notes, bend, mod wheel and pedal, in regular and irregular blocks, in single and double
// precision, and with parameter changes inside blocks.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>

#include "params/ParamIds.h"
#include "tests/vst3/FormatDrivers.h"

namespace {

constexpr int64_t kFrames = 96000;  // two seconds at 48 kHz

// Notes across block edges on several channels, an overlap (legato), bend up and back, the
// mod wheel, and the pedal holding a released note.
std::vector<TimedMidi> phrase() {
  return {
      {0, 0x90, 60, 100},       {700, 0xB0, 1, 90},        {4100, 0xE0, 0x00, 0x50},
      {9000, 0xE0, 0x7F, 0x7F}, {12000, 0xE0, 0x00, 0x40}, {15000, 0x80, 60, 64},
      {15001, 0x91, 64, 30},    {20480, 0x92, 67, 127},    {24000, 0x81, 64, 0},
      {24000, 0xB0, 1, 0},      {30000, 0xB0, 64, 127},    {30100, 0x82, 67, 0},
      {41000, 0x93, 72, 64},    {47999, 0x83, 72, 0},      {52000, 0xB0, 64, 0},
      {60000, 0x9F, 55, 1},     {70000, 0x8F, 55, 0},      {80000, 0x90, 48, 80},
      {90000, 0x80, 48, 80},
  };
}

// Block sizes that cross every event at odd places, with empty and one-frame blocks.
const std::vector<int32_t> kIrregular = {1, 7, 512, 0, 333, 64, 1024, 2, 1000, 129};
const std::vector<int32_t> kRegular = {512};

size_t differing(const std::vector<double>& a, const std::vector<double>& b) {
  size_t count = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    if (a[i] != b[i]) ++count;
  return count;
}

double peak(const std::vector<double>& samples) {
  double p = 0.0;
  for (double s : samples)
    p = std::max(p, std::abs(s));
  return p;
}

using Layout = std::tuple<int32_t, Precision, bool>;  // program, precision, irregular

class Vst3AgainstVst2 : public testing::TestWithParam<Layout> {};

TEST_P(Vst3AgainstVst2, SameSamples) {
  const auto [program, precision, irregular] = GetParam();
  Performance p;
  p.program = program;
  p.precision = precision;
  p.blocks = irregular ? kIrregular : kRegular;
  p.frames = kFrames;
  p.midi = phrase();
  const std::vector<double> vst2 = playVst2(p);
  const std::vector<double> vst3 = playVst3(p);
  ASSERT_EQ(vst2.size(), static_cast<size_t>(kFrames));
  EXPECT_GT(peak(vst2), 0.01);  // the phrase is heard
  const size_t count = differing(vst2, vst3);
  std::printf("program %d, %s precision, %s blocks: %zu samples differ\n", program,
              precision == Precision::Double ? "double" : "single",
              irregular ? "irregular" : "512-frame", count);
  EXPECT_EQ(count, 0u);
}

std::string layoutName(const testing::TestParamInfo<Layout>& info) {
  const auto [program, precision, irregular] = info.param;
  return (program < 0 ? std::string("Defaults") : "Program" + std::to_string(program)) +
         (precision == Precision::Double ? "Double" : "Single") +
         (irregular ? "Irregular" : "Regular");
}

INSTANTIATE_TEST_SUITE_P(Programs, Vst3AgainstVst2,
                         testing::Combine(testing::Values(-1, 0, 1, 2, 3, 4),
                                          testing::Values(Precision::Single, Precision::Double),
                                          testing::Bool()),
                         layoutName);

// A parameter change inside a block acts on its frame, as it does on VST 2 between two
// blocks split there; a change at a block's start acts as VST 2's change before the block.
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
    EXPECT_EQ(differing(vst2, vst3), 0u);
    // Moved to another frame, the change is heard elsewhere: the frame matters.
    Performance late = p;
    late.parameters[0].frame = 1100;
    EXPECT_NE(differing(vst2, playVst3(late)), 0u);
  }
}

}  // namespace
