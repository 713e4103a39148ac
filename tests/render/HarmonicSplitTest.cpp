// The off-harmonic energy measure on tones whose make-up is known.
#include <cmath>
#include <numbers>
#include <vector>

#include "gtest/gtest.h"
#include "tools/render/analysis/HarmonicSplit.h"
#include "tools/render/analysis/Spectrum.h"

namespace {

constexpr double kRate = 48000.0;
constexpr size_t kSize = 32768;
constexpr double kNote96 = 2093.004522;

// Harmonics of `f0` with amplitudes 1/k up to the Nyquist frequency, plus an optional
// extra sine (frequency, amplitude).
std::vector<double> tone(double f0, double extraHz = 0.0, double extraAmplitude = 0.0) {
  std::vector<double> s(kSize, 0.0);
  for (size_t i = 0; i < kSize; ++i) {
    const double t = static_cast<double>(i) / kRate;
    for (int k = 1; k * f0 < kRate / 2; ++k)
      s[i] += std::sin(2 * std::numbers::pi * k * f0 * t) / k;
    s[i] += extraAmplitude * std::sin(2 * std::numbers::pi * extraHz * t);
  }
  return s;
}

HarmonicSplit measure(const std::vector<double>& s, double expected = kNote96,
                      double highestHz = 0.0) {
  return splitHarmonics(powerSpectrum(s.data(), s.size(), kSize, 20.0), kRate, expected, 16,
                        highestHz);
}

double harmonicPower(double f0) {
  double sum = 0.0;
  for (int k = 1; k * f0 < kRate / 2; ++k)
    sum += 0.5 / (k * k);
  return sum;
}

TEST(HarmonicSplit, APureHarmonicToneHasNothingElse) {
  const HarmonicSplit split = measure(tone(kNote96));
  EXPECT_NEAR(split.fundamentalHz, kNote96, 0.01);
  EXPECT_EQ(split.harmonics, 11);
  EXPECT_LT(split.ratioDb(), -140.0);
}

TEST(HarmonicSplit, MeasuresAnInharmonicComponentAtItsLevel) {
  for (double amplitude : {1e-2, 1e-4}) {
    const HarmonicSplit split = measure(tone(kNote96, 15555.0, amplitude));
    const double expected = 10.0 * std::log10(0.5 * amplitude * amplitude / harmonicPower(kNote96));
    EXPECT_NEAR(split.ratioDb(), expected, 0.2) << "amplitude " << amplitude;
  }
}

TEST(HarmonicSplit, CountsNothingAboveTheLimit) {
  const HarmonicSplit split = measure(tone(kNote96, 15555.0, 1e-2), kNote96, 15000.0);
  EXPECT_EQ(split.harmonics, 7);
  EXPECT_LT(split.ratioDb(), -140.0);
  double below = 0.0;
  for (int k = 1; k * kNote96 < 15000.0; ++k)
    below += 0.5 / (k * k);
  EXPECT_NEAR(split.harmonicEnergy / measure(tone(kNote96)).harmonicEnergy,
              below / harmonicPower(kNote96), 1e-3);
}

TEST(HarmonicSplit, FindsAMistunedFundamental) {
  // 40 cents sharp: the expected pitch only says where to start looking.
  const double f0 = kNote96 * std::pow(2.0, 40.0 / 1200.0);
  const HarmonicSplit split = measure(tone(f0));
  EXPECT_NEAR(split.fundamentalHz, f0, 0.01);
  EXPECT_LT(split.ratioDb(), -140.0);
}

TEST(HarmonicSplit, ANaiveSawtoothAliasesAudibly) {
  std::vector<double> saw(kSize);
  for (size_t i = 0; i < kSize; ++i) {
    const double phase = std::fmod(kNote96 * static_cast<double>(i) / kRate, 1.0);
    saw[i] = 2.0 * phase - 1.0;
  }
  const double ratio = measure(saw).ratioDb();
  EXPECT_GT(ratio, -40.0);
  EXPECT_LT(ratio, -5.0);
}

}  // namespace
