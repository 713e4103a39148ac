// Pitch as heard: a held note's frequency measured from the rendered audio.
#include <cmath>
#include <cstdio>

#include "gtest/gtest.h"
#include "tests/engine/Performance.h"
#include "tests/engine/SignalMeasure.h"

namespace {

// Frequency of a held note from 100 ms after its start to the end of one second.
double heldFrequency(Performance& p, int note, double sampleRate) {
  p.noteOn(0, note);
  const Signal x = p.render(static_cast<int64_t>(sampleRate));
  return crossingFrequency(x, static_cast<size_t>(0.1 * sampleRate), x.size(), sampleRate);
}

TEST(Pitch, HeldA4MeasuresConcertPitchAtCommonRates) {
  for (double rate : {44100.0, 48000.0}) {
    Performance p(rate);
    p.useCleanSine();
    p.reset();
    const double hz = heldFrequency(p, 69, rate);
    std::printf("A4 at %.0f Hz: %.6f Hz, %+.2g cent\n", rate, hz, centsBetween(hz, 440.0));
    EXPECT_NEAR(centsBetween(hz, 440.0), 0.0, 0.1) << rate << " Hz: measured " << hz;
  }
}

TEST(Pitch, TransposeShiftsWholeOctaves) {
  for (double octaves : {-2.0, 1.0, 3.0}) {
    Performance p;
    p.setPlain(kTranspose, octaves);
    p.useCleanSine();
    p.reset();
    const double hz = heldFrequency(p, 57, 44100.0);
    EXPECT_NEAR(centsBetween(hz, noteHz(57 + 12 * octaves)), 0.0, 0.1) << octaves << " octaves";
  }
}

TEST(Pitch, FineTuneShiftsByCents) {
  for (double cents : {-100.0, -30.0, 50.0, 100.0}) {
    Performance p;
    p.setPlain(kFineTune, cents);
    p.useCleanSine();
    p.reset();
    EXPECT_NEAR(centsBetween(heldFrequency(p, 69, 44100.0), 440.0), cents, 0.1);
  }
}

TEST(Pitch, PitchBendCoversTwoSemitonesEachWayIncludingTheEnds) {
  struct Case {
    int value;
    double semitones;
  };
  for (Case c : {Case{0, -2.0}, Case{8192, 0.0}, Case{16383, 4.0 * (16383.0 / 16384.0 - 0.5)},
                 Case{12288, 1.0}}) {
    Performance p;
    p.useCleanSine();
    p.reset();
    p.bend(0, c.value);
    const double hz = heldFrequency(p, 69, 44100.0);
    EXPECT_NEAR(centsBetween(hz, noteHz(69 + c.semitones)), 0.0, 0.1) << "bend " << c.value;
  }
}

TEST(Pitch, FirstNoteAfterResetStartsOnItsOwnPitchDespiteGlide) {
  Performance p;
  p.setPlain(kGlide, 500.0);
  p.useCleanSine();
  p.reset();
  p.noteOn(0, 57);
  p.render(22050);
  p.reset();
  const int64_t start = p.position();
  p.noteOn(start, 76);
  const Signal x = p.render(2205);  // 50 ms, a tenth of the glide time
  const double hz = crossingFrequency(x, 88, x.size(), 44100.0);
  EXPECT_NEAR(centsBetween(hz, noteHz(76)), 0.0, 0.1) << "measured " << hz;
}

TEST(Pitch, LaterNotesGlideFromThePreviousPitch) {
  Performance p;
  p.setPlain(kGlide, 500.0);
  p.useCleanSine();
  p.reset();
  p.noteOn(0, 57);
  p.render(22050);
  p.noteOn(p.position(), 76);
  const Signal x = p.render(2205);
  EXPECT_LT(crossingFrequency(x, 88, x.size(), 44100.0), 300.0);
}

}  // namespace
