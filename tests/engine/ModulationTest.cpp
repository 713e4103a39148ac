// Glide, vibrato with the modulation wheel, tremolo, velocity sensitivity and the output
// level, measured on the rendered audio.
#include <algorithm>
#include <cmath>

#include "gtest/gtest.h"
#include "tests/engine/Performance.h"
#include "tests/engine/SignalMeasure.h"

namespace {

constexpr double kRate = 44100.0;

// Frequency at `frame`, interpolated between the two cycles whose middles surround it.
double frequencyAt(const std::vector<CycleFrequency>& cycles, double frame) {
  for (size_t i = 1; i < cycles.size(); ++i) {
    if (cycles[i].frame < frame) continue;
    const CycleFrequency& a = cycles[i - 1];
    const CycleFrequency& b = cycles[i];
    return a.hz + (b.hz - a.hz) * (frame - a.frame) / (b.frame - a.frame);
  }
  return 0.0;
}

TEST(Modulation, GlideApproachesTheNewPitchExponentiallyInHertz) {
  const double glideSeconds = 0.2;
  Performance p;
  p.useCleanSine();
  p.setPlain(kGlide, glideSeconds * 1000.0);
  p.reset();
  p.noteOn(0, 57);  // 220 Hz, no glide for the first note
  p.noteOn(22050, 81);
  const Signal x = p.render(22050 + 44100);
  const auto cycles = cycleFrequencies(x, 22050, x.size(), kRate);
  for (double seconds : {0.05, 0.2, 0.4}) {
    const double remaining = (880.0 - frequencyAt(cycles, 22050 + seconds * kRate)) / 660.0;
    EXPECT_NEAR(remaining, std::exp(-seconds / glideSeconds), 0.002) << "after " << seconds << " s";
  }
}

TEST(Modulation, GlideShorterThanHalfAMillisecondJumps) {
  Performance p;
  p.useCleanSine();
  p.setPlain(kGlide, 0.4);
  p.reset();
  p.noteOn(0, 57);
  p.noteOn(22050, 81);
  const Signal x = p.render(22050 + 4410);
  EXPECT_NEAR(centsBetween(crossingFrequency(x, 22050 + 10, x.size(), kRate), 880.0), 0.0, 0.1);
}

// Half the swing of the cycle-by-cycle pitch around 880 Hz, in cents.
double vibratoDepthCents(double depthCents, int wheel) {
  Performance p;
  p.useCleanSine();
  p.setPlain(kVibratoDepth, depthCents);
  p.reset();
  p.controller(0, 1, wheel);
  p.noteOn(0, 81);
  const Signal x = p.render(44100);
  double low = 1e9, high = -1e9;
  for (const CycleFrequency& c : cycleFrequencies(x, 4410, x.size(), kRate)) {
    low = std::min(low, centsBetween(c.hz, 880.0));
    high = std::max(high, centsBetween(c.hz, 880.0));
  }
  return 0.5 * (high - low);
}

TEST(Modulation, VibratoDepthAddsTheModulationWheelUpTo150Cents) {
  EXPECT_NEAR(vibratoDepthCents(60.0, 0), 60.0, 0.5);
  EXPECT_NEAR(vibratoDepthCents(0.0, 127), 50.0, 0.5);
  EXPECT_NEAR(vibratoDepthCents(40.0, 64), 40.0 + 50.0 * 64 / 127, 0.5);
  EXPECT_NEAR(vibratoDepthCents(100.0, 127), 150.0, 0.5);
  EXPECT_NEAR(vibratoDepthCents(0.0, 0), 0.0, 0.01);
}

Signal heldSine(double tremoloDepth, double tremoloRate) {
  Performance p;
  p.useCleanSine();
  p.setPlain(kTremoloDepth, tremoloDepth);
  p.setPlain(kTremoloRate, tremoloRate);
  p.reset();
  p.noteOn(0, 69);
  return p.render(44100);
}

TEST(Modulation, TremoloAtFullDepthSwingsTheGainBetweenZeroAndOne) {
  const Signal full = heldSine(100.0, 5.0), none = heldSine(0.0, 5.0);
  const Signal r = levelRatio(full, none, 100, full.size());
  double low = 1.0, high = 0.0;
  size_t lowAt = 0;
  for (size_t i = 100; i < r.size(); ++i) {
    if (r[i] != r[i]) continue;
    if (r[i] < low) low = r[i], lowAt = i;
    high = std::max(high, r[i]);
  }
  EXPECT_LT(low, 1e-3);
  EXPECT_GT(high, 0.999);
  // Minima one period of 5 Hz apart.
  double nextLow = 1.0;
  size_t nextLowAt = 0;
  for (size_t i = lowAt + 4410; i < r.size() && i < lowAt + 13230; ++i)
    if (r[i] == r[i] && r[i] < nextLow) nextLow = r[i], nextLowAt = i;
  EXPECT_NEAR(static_cast<double>(nextLowAt) - static_cast<double>(lowAt), kRate / 5.0, 60.0);
}

TEST(Modulation, TremoloAtZeroDepthLeavesTheGainAlone) {
  EXPECT_EQ(heldSine(0.0, 4.0), heldSine(0.0, 8.0));
}

Signal struck(int velocity, double sensitivity, double outputDb = 0.0) {
  Performance p;
  p.useCleanSine();
  p.setPlain(kVelocity, sensitivity);
  p.setPlain(kOutput, outputDb);
  p.reset();
  p.noteOn(0, 69, velocity);
  return p.render(4410);
}

TEST(Modulation, VelocitySensitivityScalesTheLevelByVelocity) {
  const Signal loud = struck(127, 100.0);
  const Signal r = levelRatio(struck(64, 100.0), loud, 0, loud.size(), 1e-3);
  EXPECT_LT(largestDeviation(r, 0, r.size(), [](size_t) { return 64.0 / 127.0; }), 1e-12);
  const Signal half = levelRatio(struck(64, 50.0), loud, 0, loud.size(), 1e-3);
  const double expected = 1.0 - (1.0 - 64.0 / 127.0) * 0.5;
  EXPECT_LT(largestDeviation(half, 0, half.size(), [&](size_t) { return expected; }), 1e-12);
  EXPECT_EQ(struck(1, 0.0), struck(127, 0.0)) << "sensitivity 0 ignores velocity";
}

TEST(Modulation, OutputAtItsLowestIsMinus60DecibelsNotSilence) {
  const Signal full = struck(127, 0.0, 0.0), lowest = struck(127, 0.0, -60.0);
  const Signal r = levelRatio(lowest, full, 0, full.size(), 1e-3);
  EXPECT_LT(largestDeviation(r, 0, r.size(), [](size_t) { return 0.001; }), 1e-15);
  EXPECT_GT(peakLevel(lowest, 0, lowest.size()), 5e-4);
}

}  // namespace
