// The envelope as heard: each render is divided by a render with the same oscillator whose
// envelope is known at those frames, leaving the envelope level itself.
#include <cmath>

#include "gtest/gtest.h"
#include "tests/engine/Performance.h"
#include "tests/engine/SignalMeasure.h"

namespace {

constexpr double kRate = 44100.0;

// A clean 440 Hz sine with the given attack and release times (ms) and Legato switch.
void prepare(Performance& p, double attackMs, double releaseMs, bool legato = true) {
  p.useCleanSine();
  p.setPlain(kAttack, attackMs);
  p.setPlain(kRelease, releaseMs);
  p.setPlain(kLegato, legato ? 1.0 : 0.0);
  p.reset();
}

TEST(Envelope, AttackRisesLinearlyOverTheAttackTime) {
  Performance slow, fast;
  prepare(slow, 100.0, 280.0);
  prepare(fast, 2.0, 280.0);
  slow.noteOn(0, 69);
  fast.noteOn(0, 69);
  const Signal a = slow.render(6000), b = fast.render(6000);
  const double steps = 0.1 * kRate;  // frames to reach full level
  const Signal r = levelRatio(a, b, 100, a.size());
  EXPECT_LT(largestDeviation(r, 100, 4400, [&](size_t j) { return (j + 1) / steps; }), 1e-9);
  EXPECT_LT(largestDeviation(r, 4420, a.size(), [](size_t) { return 1.0; }), 1e-12);
}

// Frames from the note-off until the output is exactly 0 for good.
size_t framesToSilence(const Signal& x, size_t noteOff) {
  size_t last = noteOff;
  for (size_t i = noteOff; i < x.size(); ++i)
    if (x[i] != 0.0) last = i + 1;
  return last - noteOff;
}

TEST(Envelope, ReleaseFallsLinearlyOverTheReleaseTime) {
  Performance released, held;
  prepare(released, 2.0, 200.0);
  prepare(held, 2.0, 200.0);
  released.noteOn(0, 69);
  held.noteOn(0, 69);
  released.noteOff(22050, 69);
  const Signal a = released.render(40000), b = held.render(40000);
  const double steps = 0.2 * kRate;
  const Signal r = levelRatio(a, b, 22050, a.size());
  EXPECT_LT(largestDeviation(r, 22050, 22050 + 8800,
                             [&](size_t j) { return 1.0 - (j - 22050 + 1) / steps; }),
            1e-9);
  EXPECT_NEAR(static_cast<double>(framesToSilence(a, 22050)), steps, 1.0);
}

TEST(Envelope, ReleaseFromAPartialLevelIsShorterInProportion) {
  Performance p;
  prepare(p, 1000.0, 400.0);
  p.noteOn(0, 69);
  p.noteOff(11025, 69);  // a quarter of the way up
  const Signal x = p.render(40000);
  EXPECT_NEAR(static_cast<double>(framesToSilence(x, 11025)), 0.25 * 0.4 * kRate, 1.0);
}

// Two keys with the same pitch on different channels: the second note-on changes nothing
// but the envelope, so a render without it serves as the reference.
struct Retrigger {
  Signal twoKeys, oneKey;
};

Retrigger restrike(bool legato, double attackMs, int64_t at) {
  Performance two, one;
  prepare(two, attackMs, 280.0, legato);
  prepare(one, attackMs, 280.0, legato);
  two.noteOn(0, 69);
  one.noteOn(0, 69);
  two.noteOn(at, 69, 127, 1);
  return {two.render(at + 6000), one.render(at + 6000)};
}

TEST(Envelope, RetriggerFadesOutOver89FramesToExactlyZeroThenAttacksFromZero) {
  const int64_t k = 10000;
  const Retrigger t = restrike(false, 2.0, k);
  const double countdown = 0.002 * kRate;  // 88.2
  const Signal r = levelRatio(t.twoKeys, t.oneKey, 0, t.twoKeys.size());
  EXPECT_LT(largestDeviation(r, 0, k, [](size_t) { return 1.0; }), 1e-15);
  EXPECT_LT(largestDeviation(r, k, k + 88,
                             [&](size_t j) { return (countdown - (j - k + 1)) / countdown; }),
            1e-12);
  EXPECT_NE(t.twoKeys[k + 87], 0.0);
  EXPECT_EQ(t.twoKeys[k + 88], 0.0) << "the fade must end at exactly 0";
  // Then the attack from 0, one step per frame.
  EXPECT_LT(largestDeviation(r, k + 89, k + 170,
                             [&](size_t j) { return std::min((j - k - 88) / countdown, 1.0); }),
            1e-12);
}

TEST(Envelope, LegatoContinuesTheLevelWithoutAFade) {
  const Retrigger t = restrike(true, 100.0, 2205);  // halfway up the attack
  EXPECT_EQ(t.twoKeys, t.oneKey);
  const Retrigger cut = restrike(false, 100.0, 2205);
  EXPECT_EQ(cut.twoKeys[2205 + 88], 0.0);
}

TEST(Envelope, NoteDuringReleaseContinuesFromThePresentLevel) {
  Performance again, held;
  prepare(again, 1000.0, 1000.0, false);
  prepare(held, 1000.0, 1000.0, false);
  again.noteOn(0, 69);
  held.noteOn(0, 69);
  again.noteOff(44100, 69);
  again.noteOn(44100 + 22050, 69);  // the release has fallen to one half
  const Signal a = again.render(80000), b = held.render(80000);
  const Signal r = levelRatio(a, b, 44100, a.size());
  const double step = 1.0 / kRate;
  const size_t k = 44100 + 22050;
  EXPECT_LT(
      largestDeviation(r, k - 2000, k, [&](size_t j) { return 1.0 - (j - 44100 + 1) * step; }),
      1e-9);
  EXPECT_LT(largestDeviation(r, k, k + 5000, [&](size_t j) { return 0.5 + (j - k + 1) * step; }),
            1e-9);
}

}  // namespace
