// Which note sounds, and when the release starts: last-note priority across channels, the
// sustain pedal, the channel-mode controllers and the forms of note-off.
#include <cmath>

#include "gtest/gtest.h"
#include "tests/engine/Performance.h"
#include "tests/engine/SignalMeasure.h"

namespace {

constexpr double kRate = 44100.0;
constexpr int kSustain = 64;

// A clean sine with a 100 ms release and Legato off, so that a retrigger would show.
void configure(Performance& p) {
  p.useCleanSine();
  p.setPlain(kRelease, 100.0);
  p.setPlain(kLegato, 0.0);
  p.reset();
}

// True when the window [from, from + 4410) sounds note `note`.
bool sounds(const Signal& x, size_t from, int note) {
  const double hz = crossingFrequency(x, from, from + 4410, kRate);
  return hz > 0.0 && std::fabs(centsBetween(hz, noteHz(note))) < 1.0;
}

bool silentFrom(const Signal& x, size_t from) {
  return peakLevel(x, from, x.size()) == 0.0;
}

TEST(NoteLogic, LastNoteWinsAcrossChannelsAndReleasingItReturnsToTheOlderNote) {
  Performance p;
  configure(p);
  p.setPlain(kVelocity, 100.0);
  p.reset();
  p.noteOn(0, 60, 40, 0);
  p.noteOn(11025, 67, 127, 5);
  p.noteOff(22050, 67, 5);
  const Signal x = p.render(33075);
  EXPECT_TRUE(sounds(x, 4410, 60));
  EXPECT_TRUE(sounds(x, 15435, 67));
  EXPECT_TRUE(sounds(x, 26460, 60));
  // The older note comes back with its own velocity and without a fade to 0.
  EXPECT_NEAR(peakLevel(x, 28000, 33075) / peakLevel(x, 15000, 22000), 40.0 / 127.0, 1e-3);
  for (size_t i = 22050; i < 22050 + 200; ++i)
    EXPECT_NE(x[i], 0.0) << "frame " << i;
}

TEST(NoteLogic, PedalKeepsAReleasedKeySoundingUntilItGoesUp) {
  Performance p;
  configure(p);
  p.controller(0, kSustain, 127);
  p.noteOn(10, 60);
  p.noteOff(4410, 60);
  p.controller(30000, kSustain, 0);
  const Signal x = p.render(40000);
  EXPECT_TRUE(sounds(x, 20000, 60));
  EXPECT_GT(peakLevel(x, 25000, 30000), 0.9);
  EXPECT_TRUE(silentFrom(x, 30000 + 4410 + 10));
  EXPECT_GT(peakLevel(x, 30000, 30000 + 2000), 0.5) << "the release, not a cut";
}

TEST(NoteLogic, PedalHoldsTheNewerNoteThenReturnsToTheHeldKey) {
  Performance p;
  configure(p);
  p.noteOn(0, 60);
  p.controller(4410, kSustain, 100);
  p.noteOn(8820, 67);
  p.noteOff(13230, 67);
  p.controller(22050, kSustain, 0);
  const Signal x = p.render(33075);
  EXPECT_TRUE(sounds(x, 15435, 67));
  EXPECT_TRUE(sounds(x, 26460, 60));
}

TEST(NoteLogic, PedalValue63IsUpAnd64IsDown) {
  for (int value : {63, 64}) {
    Performance p;
    configure(p);
    p.controller(0, kSustain, value);
    p.noteOn(0, 60);
    p.noteOff(4410, 60);
    const Signal x = p.render(22050);
    EXPECT_EQ(silentFrom(x, 4410 + 4410 + 10), value == 63) << "value " << value;
  }
}

TEST(NoteLogic, AllNotesOffReleasesHeldKeysAndTheirLaterNoteOffsChangeNothing) {
  for (int controller : {120, 123}) {
    Performance a, b;
    configure(a);
    configure(b);
    for (Performance* p : {&a, &b}) {
      p->controller(0, kSustain, 127);
      p->noteOn(0, 60);
      p->noteOn(100, 64, 127, 3);
      p->controller(4410, controller, 0);
    }
    a.noteOff(9000, 60);
    a.noteOff(9100, 64, 3);
    const Signal x = a.render(22050), y = b.render(22050);
    EXPECT_TRUE(silentFrom(x, 4410 + 4410 + 10)) << "controller " << controller;
    EXPECT_EQ(x, y) << "controller " << controller;
  }
}

TEST(NoteLogic, ResetAllControllersCentresBendClearsWheelAndLiftsThePedal) {
  Performance p;
  configure(p);
  p.setPlain(kVibratoDepth, 0.0);
  p.reset();
  p.controller(0, 1, 127);
  p.bend(0, 16383);
  p.noteOn(0, 69);
  p.controller(22050, 121, 0);
  const Signal x = p.render(44100);
  EXPECT_FALSE(sounds(x, 4410, 69));
  EXPECT_NEAR(centsBetween(crossingFrequency(x, 22050 + 100, x.size(), kRate), 440.0), 0.0, 0.1)
      << "no bend and no vibrato after the reset";

  Performance pedal;
  configure(pedal);
  pedal.controller(0, kSustain, 127);
  pedal.noteOn(0, 60);
  pedal.noteOff(100, 60);
  pedal.controller(8820, 121, 0);
  const Signal y = pedal.render(22050);
  EXPECT_GT(peakLevel(y, 4410, 8820), 0.9);
  EXPECT_TRUE(silentFrom(y, 8820 + 4410 + 10));
}

TEST(NoteLogic, NoteOnWithVelocityZeroIsANoteOff) {
  Performance a, b;
  configure(a);
  configure(b);
  a.noteOn(0, 60);
  b.noteOn(0, 60);
  a.event(4410, 0x90, 60, 0);
  b.event(4410, 0x80, 60, 64);
  EXPECT_EQ(a.render(22050), b.render(22050));
}

TEST(NoteLogic, SameNoteOnTwoChannelsTakesTwoSlots) {
  Performance p;
  configure(p);
  p.noteOn(0, 60, 127, 0);
  p.noteOn(100, 60, 127, 1);
  p.noteOff(4410, 60, 0);
  p.noteOff(13230, 60, 1);
  const Signal x = p.render(22050);
  EXPECT_TRUE(sounds(x, 6000, 60));
  EXPECT_GT(peakLevel(x, 10000, 13230), 0.9);
  EXPECT_TRUE(silentFrom(x, 13230 + 4410 + 10));
}

TEST(NoteLogic, RestrikingAHeldKeyThenOneNoteOffReleasesIt) {
  Performance p;
  configure(p);
  p.noteOn(0, 60);
  p.noteOn(2000, 60);
  p.noteOff(4410, 60);
  EXPECT_TRUE(silentFrom(p.render(22050), 4410 + 4410 + 10));
}

TEST(NoteLogic, NoteOffForAKeyNeverPressedChangesNothing) {
  Performance a, b;
  configure(a);
  configure(b);
  a.noteOn(0, 60);
  b.noteOn(0, 60);
  a.noteOff(2000, 61);
  a.noteOff(2000, 60, 9);
  EXPECT_EQ(a.render(8820), b.render(8820));
}

}  // namespace
