// The unit tests' scores and their rendering.
#include "tests/engine/Scenarios.h"

#include <algorithm>
#include <cmath>

#include "engine/DecimatorCoefficients.h"
#include "engine/NoteLogic.h"
#include "tests/engine/ReferenceVoice.h"
#include "tests/engine/UnitEngine.h"

Scenario heldAndReleased() {
  return {44100.0, 40000, {}, {{100, 0x90, 69, 100}, {30000, 0x80, 69, 0}}};
}

Scenario everyModulation() {
  Scenario s{48000.0, 36000, {}, {}};
  s.params = {{0, kVibratoDepth, 0.8},
              {0, kVibratoRate, 0.3},
              {0, kTremoloDepth, 0.7},
              {0, kTremoloRate, 0.9},
              {0, kGlide, 0.05},
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

Scenario fadeIntoRelease() {
  Scenario s{44100.0, 12000, {{0, kLegato, 0.0}}, {}};
  s.events = {{0, 0x90, 60, 100},    {2000, 0x90, 64, 100}, {2001, 0xB0, 123, 0},
              {5000, 0x90, 60, 100}, {7000, 0x90, 67, 90},  {7004, 0xB0, 123, 0},
              {9000, 0x90, 72, 120}};
  return s;
}

Scenario modulationAfterASettledNote() {
  Scenario s{44100.0, 40000, {{0, kVibratoDepth, 0.0}, {0, kTremoloDepth, 0.0}}, {}};
  s.params.push_back({30000, kTremoloDepth, 0.8});
  s.events = {{100, 0x90, 57, 100}};
  for (int32_t i = 0; i < 96; ++i)  // a note on every frame: runs of one frame each
    s.events.push_back(
        {6000 + i, static_cast<uint8_t>(0x90 | i % 3), static_cast<uint8_t>(40 + i % 37), 90});
  s.events.push_back({20011, 0xB0, 1, 127});
  return s;
}

Scenario clampedPitches(double rate) {
  Scenario s{rate, 24000, {}, {}};
  s.params = {
      {0, kTranspose, 1.0}, {0, kVibratoDepth, 1.0}, {0, kTriangle, 1.0}, {0, kGlide, 0.01}};
  s.events = {
      {0, 0xB0, 1, 127}, {10, 0x90, 100, 127}, {8000, 0x90, 127, 127}, {16000, 0x90, 20, 127}};
  return s;
}

Renders render(const Scenario& s, int32_t block, bool withReference) {
  double program[kNumParams];
  std::copy(kStartingProgram, kStartingProgram + kNumParams, program);
  for (const ParamChange& c : s.params)
    if (c.frame == 0) program[c.id] = c.value;
  UnitEngine unit(s.rate, program);
  UnitEngine reference(s.rate, program);

  BiquadSection decimator[2] = {kDecimatorSeries[0], kDecimatorSeries[1]};
  Renders r;
  size_t nextEvent = 0;
  std::vector<double> left(static_cast<size_t>(block)), right(static_cast<size_t>(block));
  for (int32_t start = 0; start < s.frames; start += block) {
    const int32_t n = std::min(block, s.frames - start);
    for (const ParamChange& c : s.params)
      if (c.frame > 0 && c.frame >= start && c.frame < start + n) unit.params[c.id].store(c.value);
    const size_t firstEvent = nextEvent;
    while (nextEvent < s.events.size() && s.events[nextEvent].frame < start + n) {
      const TimedEvent& t = s.events[nextEvent++];
      unit.add(t.frame - start, t.status, t.data1, t.data2);
    }
    double* outs[2] = {left.data(), right.data()};
    processBlockDouble(*unit.engine, *unit.queue, unit.params.get(), outs, n);
    r.engine.insert(r.engine.end(), left.begin(), left.begin() + n);
    if (!withReference) continue;

    ToneEngine& voice = *reference.engine;
    for (int i = 0; i < kNumParams; ++i)
      voice.blockParams[i] = unit.params[i].load();
    size_t e = firstEvent;
    for (int32_t j = 0; j < n; ++j) {
      for (; e < nextEvent && s.events[e].frame <= start + j; ++e) {
        const TimedEvent& t = s.events[e];
        handleMidiEvent(voice, {0, t.status, t.data1, t.data2, 0});
      }
      r.reference.push_back(referenceRenderSample(voice, decimator));
    }
  }
  return r;
}

double largestDifference(const std::vector<double>& a, const std::vector<double>& b) {
  double largest = a.size() == b.size() ? 0.0 : INFINITY;
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    largest = std::max(largest, std::fabs(a[i] - b[i]));
  return largest;
}

double peakOf(const std::vector<double>& x) {
  double peak = 0.0;
  for (double v : x)
    peak = std::max(peak, std::fabs(v));
  return peak;
}
