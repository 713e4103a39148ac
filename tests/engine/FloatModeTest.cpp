// The floating-point mode around processing: the voice runs with denormals flushed, in its own
// rounding mode, and the host gets its own mode back unchanged.
#include <xmmintrin.h>

#include <cmath>
#include <vector>

#include "gtest/gtest.h"
#include "tests/engine/Performance.h"
#include "tests/engine/SignalMeasure.h"

namespace {

constexpr unsigned kRoundTowardZero = 0x6000;
constexpr unsigned kInexactFlag = 0x0020;
constexpr unsigned kMaskedExceptions = 0x1F80;

// Runs `body` with the host's MXCSR set to `mode`; returns the MXCSR found afterwards.
template <typename Body>
unsigned withHostMode(unsigned mode, Body body) {
  const unsigned saved = _mm_getcsr();
  _mm_setcsr(mode);
  body();
  const unsigned after = _mm_getcsr();
  _mm_setcsr(saved);
  return after;
}

TEST(FloatMode, EveryEntryGivesTheHostItsModeBack) {
  Performance p;
  p.noteOn(0, 69);
  p.deliverEventsFor(256);
  std::vector<float> left(256), right(256);
  std::vector<double> leftD(256), rightD(256);
  float* outs[2] = {left.data(), right.data()};
  double* outsD[2] = {leftD.data(), rightD.data()};
  AEffect* e = p.effect();
  for (unsigned mode : {kMaskedExceptions, kMaskedExceptions | kRoundTowardZero | kInexactFlag,
                        kMaskedExceptions | 0x2000u}) {
    EXPECT_EQ(withHostMode(mode, [&] { e->processReplacing(e, nullptr, outs, 256); }), mode);
    EXPECT_EQ(withHostMode(mode, [&] { e->process(e, nullptr, outs, 256); }), mode);
    EXPECT_EQ(withHostMode(mode, [&] { e->processDoubleReplacing(e, nullptr, outsD, 256); }), mode);
  }
  EXPECT_GT(peakLevel(Signal(leftD.begin(), leftD.end()), 0, 256), 0.01);
}

TEST(FloatMode, HostRoundingModeDoesNotReachTheVoice) {
  Performance nearest, towardZero;
  for (Performance* p : {&nearest, &towardZero}) {
    p->setPlain(kVibratoDepth, 40.0);
    p->setPlain(kTremoloDepth, 30.0);
    p->reset();
    p->noteOn(0, 64);
  }
  const Signal a = nearest.render(8192);
  Signal b;
  withHostMode(kMaskedExceptions | kRoundTowardZero, [&] { b = towardZero.render(8192); });
  EXPECT_EQ(a, b);
}

// With every mix weight smoothed toward 0, the signal decays toward the range of denormal
// numbers; flushed to zero, it never enters it (the smoothing comes to rest just above).
TEST(FloatMode, DecayingSignalNeverBecomesDenormal) {
  Performance p(8000.0);
  p.noteOn(0, 69);
  p.render(800);
  for (ParamId id : {kSquare, kTriangle, kSine})
    p.setPlain(id, 0.0);
  const Signal x = p.render(60000, 4096);
  size_t denormals = 0;
  for (double s : x)
    denormals += std::fpclassify(s) == FP_SUBNORMAL;
  EXPECT_EQ(denormals, 0u);
  EXPECT_LT(peakLevel(x, x.size() - 1000, x.size()), 1e-300);
}

}  // namespace
