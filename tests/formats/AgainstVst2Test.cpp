// Every other format plays the same bits as the VST 2 build: for the defaults and each
// program, with notes, bend, mod wheel and pedal, in 512-frame and irregular blocks, in each
// precision the format has. Written once, run through each format's driver.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <tuple>

#include "params/Programs.h"
#include "tests/formats/FormatDrivers.h"
#include "tests/formats/Phrase.h"

// Printed by name in the test list, not as bytes.
void PrintTo(Precision precision, std::ostream* os) {
  *os << (precision == Precision::Double ? "double" : "single");
}

namespace {

// Block sizes that cross every event at odd places, with empty, one-frame and long blocks.
const std::vector<int32_t> kIrregular = {1, 37, 512, 0, 1000, 3, 700, 64, 2048, 2, 333, 129};
const std::vector<int32_t> kRegular = {512};

double peak(const std::vector<double>& samples) {
  double p = 0.0;
  for (double s : samples)
    p = std::max(p, std::abs(s));
  return p;
}

enum class Format { Vst3, Lv2 };

void PrintTo(Format format, std::ostream* os) {
  *os << (format == Format::Vst3 ? "VST 3" : "LV2");
}

std::vector<double> play(Format format, const Performance& p) {
  switch (format) {
    case Format::Vst3:
      return playVst3(p);
    case Format::Lv2:
#ifndef _WIN32
      return playLv2(p);
#else
      break;  // LV2 is a Linux build
#endif
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
  p.frames = kPhraseFrames;
  p.midi = testPhrase();
  const std::vector<double> vst2 = playVst2(p);
  const std::vector<double> other = play(format, p);
  ASSERT_EQ(vst2.size(), static_cast<size_t>(2 * kPhraseFrames));
  EXPECT_GT(peak(vst2), 0.05);  // the phrase is heard
  const size_t count = differingSamples(vst2, other);
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
