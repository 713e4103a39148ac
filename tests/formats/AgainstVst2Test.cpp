// Every other format plays the same bits as the VST 2 build: for the defaults and each
// program, with notes, bend, mod wheel and pedal, in 512-frame and irregular blocks, in each
// precision the format has. Written once, run through each format's driver.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>

#include "params/Programs.h"
#include "tests/formats/FormatDrivers.h"

namespace {

constexpr int64_t kFrames = 150000;

// Notes across block edges on several channels, overlaps (legato), bend to both ends and
// back, the mod wheel, the pedal holding released notes, all-notes-off and controller reset.
std::vector<TimedMidi> phrase() {
  return {
      {0, 0x90, 60, 100},     {7, 0xB0, 1, 40},        {4000, 0x90, 64, 90},
      {9000, 0x80, 60, 0},    {9001, 0xE0, 0, 80},     {12000, 0xE0, 0, 0},
      {15000, 0xE0, 0, 64},   {20000, 0x80, 64, 0},    {20000, 0x94, 67, 127},
      {25111, 0xB4, 64, 127}, {26000, 0x84, 67, 0},    {30000, 0x94, 55, 30},
      {33333, 0xB4, 64, 0},   {40000, 0xB0, 1, 127},   {41000, 0x90, 72, 64},
      {41000, 0x90, 48, 64},  {47999, 0xB0, 1, 0},     {50000, 0xB0, 123, 0},
      {52000, 0x90, 62, 110}, {60000, 0xE0, 127, 127}, {62000, 0xB0, 121, 0},
      {70001, 0x80, 62, 0},   {80000, 0x9F, 69, 100},  {80512, 0x9F, 71, 100},
      {81023, 0x8F, 69, 0},   {90000, 0x8F, 71, 0},    {100000, 0x90, 57, 80},
      {100001, 0x90, 59, 80}, {100002, 0x80, 57, 0},   {120000, 0x80, 59, 0},
  };
}

// Block sizes that cross every event at odd places, with empty, one-frame and long blocks.
const std::vector<int32_t> kIrregular = {1, 37, 512, 0, 1000, 3, 700, 64, 2048, 2, 333, 129};
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

enum class Format { Vst3, Lv2 };

std::vector<double> play(Format format, const Performance& p) {
  switch (format) {
    case Format::Vst3:
      return playVst3(p);
    case Format::Lv2:
      return playLv2(p);
  }
  return {};
}

using Layout = std::tuple<Format, int32_t, Precision, bool>;  // program, precision, irregular

class AgainstVst2 : public testing::TestWithParam<Layout> {};

TEST_P(AgainstVst2, SameSamples) {
  const auto [format, program, precision, irregular] = GetParam();
  Performance p;
  p.program = program;
  p.precision = precision;
  p.blocks = irregular ? kIrregular : kRegular;
  p.frames = kFrames;
  p.midi = phrase();
  const std::vector<double> vst2 = playVst2(p);
  const std::vector<double> other = play(format, p);
  ASSERT_EQ(vst2.size(), static_cast<size_t>(2 * kFrames));
  EXPECT_GT(peak(vst2), 0.05);  // the phrase is heard
  const size_t count = differing(vst2, other);
  std::printf("%s, %s, %s precision, %s blocks: %zu of %zu samples differ\n",
              format == Format::Vst3 ? "VST 3" : "LV2",
              program < 0 ? "defaults" : kProgramNames[program],
              precision == Precision::Double ? "double" : "single",
              irregular ? "irregular" : "512-frame", count, vst2.size());
  EXPECT_EQ(count, 0u);
}

std::string layoutName(const testing::TestParamInfo<Layout>& info) {
  const auto [format, program, precision, irregular] = info.param;
  return std::string(format == Format::Vst3 ? "Vst3" : "Lv2") +
         (program < 0 ? std::string("Defaults") : "Program" + std::to_string(program)) +
         (precision == Precision::Double ? "Double" : "Single") +
         (irregular ? "Irregular" : "Regular");
}

INSTANTIATE_TEST_SUITE_P(Vst3, AgainstVst2,
                         testing::Combine(testing::Values(Format::Vst3),
                                          testing::Range(-1, kNumPrograms),
                                          testing::Values(Precision::Single, Precision::Double),
                                          testing::Bool()),
                         layoutName);

#ifndef _WIN32
// LV2 is a Linux build and runs in single precision only.
INSTANTIATE_TEST_SUITE_P(Lv2, AgainstVst2,
                         testing::Combine(testing::Values(Format::Lv2),
                                          testing::Range(-1, kNumPrograms),
                                          testing::Values(Precision::Single), testing::Bool()),
                         layoutName);
#endif

}  // namespace
