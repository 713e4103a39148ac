// With the square, triangle and sine weights all at 0 the instrument is silent to the bit,
// however the other parameters stand: no offset, no sine colouring, no modulation and no
// filter ringing reaches the outputs.
#include <algorithm>
#include <cmath>
#include <vector>

#include "gtest/gtest.h"
#include "tests/host/TestHost.h"

namespace {

constexpr int32_t kSquare = 0, kTriangle = 1, kSine = 2, kAttack = 3, kGlide = 5;
constexpr int32_t kVibratoDepth = 7, kTremoloDepth = 9, kOutput = 12, kVelocity = 13;
constexpr int32_t kSineCharacter = 15;
constexpr int32_t kBlock = 512;
constexpr int kBlocks = 48;

// Plays a phrase (notes, a glide, bend, modulation wheel, release) and returns the largest
// magnitude on either output, taking the blocks alternately in single and double precision.
double loudestSample(TestPlugin& plugin) {
  plugin.dispatch(effMainsChanged, 0, 1);  // the values just set take effect unsmoothed
  AEffect* e = plugin.effect();
  std::vector<float> left(kBlock), right(kBlock);
  std::vector<double> leftD(kBlock), rightD(kBlock);
  float* outs[2] = {left.data(), right.data()};
  double* outsD[2] = {leftD.data(), rightD.data()};
  EventBlock events;
  double loudest = 0.0;
  for (int b = 0; b < kBlocks; ++b) {
    events.clear();
    if (b == 0) events.add(10, 0x90, 60, 100);
    if (b == 6) events.add(100, 0x90, 72, 127);  // legato glide up
    if (b == 8) events.add(0, 0xE0, 0, 127);     // bend up
    if (b == 9) events.add(0, 0xB0, 1, 127);     // modulation wheel
    if (b == 20) events.add(300, 0x80, 72, 0);
    if (b == 21) events.add(5, 0x80, 60, 0);  // release from here on
    plugin.dispatch(effProcessEvents, 0, 0, events.events());
    if (b % 2 == 0) {
      e->processReplacing(e, nullptr, outs, kBlock);
      for (int i = 0; i < kBlock; ++i)
        loudest = std::max({loudest, std::fabs(double{left[i]}), std::fabs(double{right[i]})});
    } else {
      e->processDoubleReplacing(e, nullptr, outsD, kBlock);
      for (int i = 0; i < kBlock; ++i)
        loudest = std::max({loudest, std::fabs(leftD[i]), std::fabs(rightD[i])});
    }
  }
  return loudest;
}

TEST(SilentMix, AllThreeWeightsAtZeroGiveExactSilence) {
  TestPlugin plugin;
  for (int32_t id : {kSineCharacter, kVibratoDepth, kTremoloDepth, kOutput, kVelocity})
    plugin.set(id, 1.0f);
  plugin.set(kAttack, 0.0f);
  plugin.set(kGlide, 0.2f);
  for (int32_t weight : {kSquare, kTriangle, kSine})
    plugin.set(weight, 0.0f);
  EXPECT_EQ(loudestSample(plugin), 0.0);
  // The same phrase sounds as soon as one weight is up: the silence came from the mix.
  plugin.set(kSine, 0.05f);
  EXPECT_GT(loudestSample(plugin), 0.01);
}

}  // namespace
