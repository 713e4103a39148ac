// The engine resets the host triggers: switching processing on and off, and the sample rate.
#include <cmath>
#include <limits>

#include "gtest/gtest.h"
#include "tests/engine/Performance.h"
#include "tests/engine/SignalMeasure.h"

namespace {

// A note sounding at full level, with another queued for frame 50 of the next block.
void soundingWithQueuedNote(Performance& p) {
  p.noteOn(0, 69);
  p.render(4096);
  EventBlock next;
  next.add(50, 0x90, 72, 127);
  p.plugin().dispatch(effProcessEvents, 0, 0, next.events());
}

TEST(Reset, ProcessingSwitchesSilenceAtOnceAndDropQueuedEvents) {
  for (int32_t opcode : {effMainsChanged, effStartProcess, effStopProcess}) {
    for (intptr_t value : {0, 1}) {
      Performance p;
      soundingWithQueuedNote(p);
      p.plugin().dispatch(opcode, 0, value);
      EXPECT_EQ(peakLevel(p.render(4096), 0, 4096), 0.0) << "opcode " << opcode;
    }
  }
}

TEST(Reset, AcceptedSampleRateResetsTheVoiceButKeepsQueuedEvents) {
  Performance p;
  p.useCleanSine();
  p.reset();
  soundingWithQueuedNote(p);
  p.plugin().dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  const Signal x = p.render(9600);
  EXPECT_EQ(firstNonZero(x), 50u) << "silent until the queued note";
  EXPECT_NEAR(centsBetween(crossingFrequency(x, 500, x.size(), 48000.0), 523.2511306), 0.0, 0.1);
}

TEST(Reset, RefusedSampleRatesChangeNothing) {
  Performance plain, refused;
  for (Performance* p : {&plain, &refused})
    soundingWithQueuedNote(*p);
  for (float rate : {4000.0f, 1000000.0f, std::numeric_limits<float>::quiet_NaN(),
                     std::numeric_limits<float>::infinity()})
    refused.plugin().dispatch(effSetSampleRate, 0, 0, nullptr, rate);
  EXPECT_EQ(plain.render(4096), refused.render(4096));
}

TEST(Reset, HeldNotesAndControllersAreForgotten) {
  Performance p;
  p.useCleanSine();
  p.reset();
  p.controller(0, 64, 127);
  p.bend(0, 16383);
  p.noteOn(0, 60);
  p.render(4096);
  p.reset();
  p.noteOff(p.position() + 10, 60);  // the key the engine no longer knows
  EXPECT_EQ(peakLevel(p.render(4096), 0, 4096), 0.0);
  p.noteOn(p.position(), 69);
  p.noteOff(p.position() + 4410, 69);  // the pedal is up again: this releases
  const Signal x = p.render(22050);
  EXPECT_NEAR(centsBetween(crossingFrequency(x, 100, 4410, 44100.0), 440.0), 0.0, 0.1)
      << "the bend is centred again";
  EXPECT_EQ(peakLevel(x, 4410 + 12348 + 10, x.size()), 0.0) << "released after 280 ms";
}

}  // namespace
