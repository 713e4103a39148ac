// The engine's voice against the plain evaluation of its formulas: the samples may differ
// only by rounding, across notes, controllers, parameter changes and sample rates.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "engine/BlockProcessor.h"
#include "engine/FrameRuns.h"
#include "engine/NoteLogic.h"
#include "gtest/gtest.h"
#include "tests/engine/ReferenceVoice.h"

namespace {

struct TimedEvent {
  int32_t frame;
  uint8_t status, data1, data2;
};

struct ParamChange {
  int32_t frame;  // applied at the start of the block containing this frame
  ParamId id;
  double value;  // normalized
};

struct Scenario {
  double rate;
  int32_t frames;
  std::vector<ParamChange> params;  // frame 0 changes are in place before the first reset
  std::vector<TimedEvent> events;   // ordered by frame
};

constexpr int32_t kBlock = 256;

struct Renders {
  std::vector<double> engine;     // processBlockDouble, block by block
  std::vector<double> reference;  // the plain voice, frame by frame; empty when not asked for
};

Renders render(const Scenario& s, bool withReference) {
  auto store = std::make_unique<ParamStore[]>(kNumParams);
  double defaults[kNumParams];
  for (int i = 0; i < kNumParams; ++i)
    defaults[i] = kParamTable[i].defaultValue;
  for (int i = 0; i < kNumParams; ++i)
    store[i].store(defaults[i]);
  for (const ParamChange& c : s.params)
    if (c.frame == 0) store[c.id].store(c.value);

  auto engine = std::make_unique<ToneEngine>();
  auto reference = std::make_unique<ToneEngine>();
  auto queue = std::make_unique<MidiEventQueue>();
  queue->count = 0;
  initToneEngine(*engine, defaults);
  initToneEngine(*reference, defaults);
  setSampleRate(*engine, *queue, store.get(), s.rate);
  setSampleRate(*reference, *queue, store.get(), s.rate);

  Renders r;
  size_t nextEvent = 0;
  std::vector<double> left(kBlock), right(kBlock);
  for (int32_t start = 0; start < s.frames; start += kBlock) {
    for (const ParamChange& c : s.params)
      if (c.frame > 0 && c.frame >= start && c.frame < start + kBlock) store[c.id].store(c.value);
    const size_t firstEvent = nextEvent;
    while (nextEvent < s.events.size() && s.events[nextEvent].frame < start + kBlock) {
      const TimedEvent& t = s.events[nextEvent++];
      queue->events[queue->count] = {t.frame - start, queue->count, t.status, t.data1, t.data2};
      ++queue->count;
    }
    double* outs[2] = {left.data(), right.data()};
    processBlockDouble(*engine, *queue, store.get(), outs, kBlock);
    r.engine.insert(r.engine.end(), left.begin(), left.end());
    if (!withReference) continue;

    for (int i = 0; i < kNumParams; ++i)
      reference->blockParams[i] = store[i].load();
    size_t e = firstEvent;
    for (int32_t j = 0; j < kBlock; ++j) {
      for (; e < nextEvent && s.events[e].frame <= start + j; ++e) {
        const TimedEvent& t = s.events[e];
        handleMidiEvent(*reference, {0, 0, t.status, t.data1, t.data2});
      }
      r.reference.push_back(referenceRenderSample(*reference));
    }
  }
  return r;
}

// Largest difference between the engine and the reference voice, and the reference's peak.
double largestDifference(const Scenario& s, double* peak) {
  const Renders r = render(s, true);
  double largest = 0.0;
  *peak = 0.0;
  for (size_t i = 0; i < r.engine.size(); ++i) {
    largest = std::max(largest, std::fabs(r.engine[i] - r.reference[i]));
    *peak = std::max(*peak, std::fabs(r.reference[i]));
  }
  return largest;
}

void expectRoundingOnly(const char* name, const Scenario& s) {
  double peak = 0.0;
  const double difference = largestDifference(s, &peak);
  std::printf("%s: largest difference %.3g at peak level %.3g\n", name, difference, peak);
  EXPECT_GT(peak, 0.01) << name << " must make sound";
  EXPECT_LT(difference, 1e-12) << name;
}

TEST(VoiceAgainstReference, DefaultsHeldAndReleased) {
  expectRoundingOnly("defaults",
                     {44100.0, 40000, {}, {{100, 0x90, 69, 100}, {30000, 0x80, 69, 0}}});
}

Scenario everyModulation() {
  Scenario s{48000.0, 36000, {}, {}};
  s.params = {{0, kVibratoDepth, 0.8},
              {0, kVibratoRate, 0.3},
              {0, kTremoloDepth, 0.7},
              {0, kTremoloRate, 0.9},
              {0, kGlissando, 0.05},
              {0, kLegato, 0.0},
              {0, kVelocity, 0.6},
              {0, kSineCharacter, 0.9},
              {0, kSquare, 0.4},
              {0, kTriangle, 0.5},
              {0, kSine, 0.6},
              {0, kOutput, 0.9},
              {10240, kSquare, 0.1},
              {10240, kOutput, 0.5},
              {10240, kFineTune, 0.8},
              {20480, kTranspose, 4.0 / 6},
              {20480, kVibratoRate, 1.0},
              {20480, kAttack, 0.2}};
  s.events = {{0, 0x90, 60, 100},     {5000, 0xB0, 1, 64},     {8000, 0x91, 72, 40},
              {12000, 0xE0, 0, 0},    {16000, 0xE0, 127, 127}, {20000, 0x81, 72, 0},
              {24000, 0x90, 96, 127}, {30000, 0xB0, 123, 0}};
  return s;
}

TEST(VoiceAgainstReference, EveryModulationAndControllerAtOnce) {
  expectRoundingOnly("all modulations", everyModulation());
}

TEST(VoiceAgainstReference, BaselineAndAvxFormsRenderTheSameBits) {
  const bool avx = avxRunsEnabled();
  if (!avx) GTEST_SKIP() << "this processor has no AVX";
  enableAvxRuns(false);
  const Renders baseline = render(everyModulation(), false);
  enableAvxRuns(true);
  const Renders wide = render(everyModulation(), false);
  EXPECT_EQ(baseline.engine, wide.engine);
}

TEST(VoiceAgainstReference, ClampedPitchesAndFewHarmonics) {
  for (double rate : {8000.0, 96000.0}) {
    Scenario s{rate, 24000, {}, {}};
    s.params = {
        {0, kTranspose, 1.0}, {0, kVibratoDepth, 1.0}, {0, kTriangle, 1.0}, {0, kGlissando, 0.01}};
    s.events = {
        {0, 0xB0, 1, 127}, {10, 0x90, 100, 127}, {8000, 0x90, 127, 127}, {16000, 0x90, 20, 127}};
    expectRoundingOnly(rate < 10000 ? "clamped at 8000 Hz" : "clamped at 96000 Hz", s);
  }
}

}  // namespace
