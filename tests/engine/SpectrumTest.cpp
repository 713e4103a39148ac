// Band-limiting and the decimation low-pass, measured in the spectrum of the output.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "gtest/gtest.h"
#include "tests/engine/Performance.h"
#include "tests/engine/SignalMeasure.h"

namespace {

constexpr double kRate = 44100.0;
constexpr double kPi = 3.14159265358979323846;

// Magnitude of a fourth-order Butterworth low-pass with its corner at 0.44 of the output
// rate, made by the bilinear transform at twice that rate.
double butterworthMagnitude(double hz) {
  const double oversampled = 2.0 * kRate;
  const double warped =
      std::tan(kPi * hz / oversampled) / std::tan(kPi * 0.44 * kRate / oversampled);
  return 1.0 / std::sqrt(1.0 + std::pow(warped, 8.0));
}

// Where a tone at `hz` of the oversampled signal lands after decimation.
double folded(double hz) {
  return hz < kRate / 2 ? hz : kRate - hz;
}

Signal heldNote(int note, double square, double sine, double character) {
  Performance p(kRate);
  p.setPlain(kTriangle, 0.0);
  p.setPlain(kSquare, square);
  p.setPlain(kSine, sine);
  p.setPlain(kSineCharacter, character);
  p.setPlain(kOutput, 0.0);
  p.setPlain(kAttack, 2.0);
  p.reset();
  p.noteOn(0, note);
  return p.render(static_cast<int64_t>(1.2 * kRate));
}

TEST(Spectrum, HighSquareKeepsItsAliasesFarBelowItsHarmonics) {
  const int note = 100;
  const double f0 = noteHz(note);
  const Signal x = heldNote(note, 100.0, 0.0, 0.0);
  const size_t n = 32768;
  const std::vector<double> power = powerSpectrum(x, 8820, n);
  const double binHz = kRate / n;
  std::vector<bool> harmonic(power.size(), false);
  for (int k = 1; k * f0 < kRate / 2; k += 2) {
    const long centre = std::lround(k * f0 / binHz);
    for (long b = centre - 8; b <= centre + 8; ++b)
      if (b >= 0 && b < static_cast<long>(power.size())) harmonic[b] = true;
  }
  // The decimation folds what the low-pass leaves above half the rate back near its top;
  // lower in the band only the oscillators' own residue remains.
  const size_t lowBandEnd = static_cast<size_t>(12000.0 / binHz);
  double harmonicPower = 0.0, aliasPower = 0.0, strongestAlias = 0.0, strongestLowAlias = 0.0;
  for (size_t b = 8; b < power.size(); ++b) {
    if (harmonic[b]) {
      harmonicPower += power[b];
    } else {
      aliasPower += power[b];
      strongestAlias = std::max(strongestAlias, power[b]);
      if (b < lowBandEnd) strongestLowAlias = std::max(strongestLowAlias, power[b]);
    }
  }
  const double fundamentalPeak = power[std::lround(f0 / binHz)];
  const double totalDb = 10.0 * std::log10(aliasPower / harmonicPower);
  const double strongestDb = 10.0 * std::log10(strongestAlias / fundamentalPeak);
  const double lowBandDb = 10.0 * std::log10(strongestLowAlias / fundamentalPeak);
  std::printf(
      "note %d square: aliased energy %.1f dB below the harmonics; strongest alias %.1f dB"
      " below the fundamental, below 12 kHz %.1f dB\n",
      note, -totalDb, -strongestDb, -lowBandDb);
  EXPECT_LT(totalDb, -30.0);
  EXPECT_LT(strongestDb, -30.0);
  EXPECT_LT(lowBandDb, -55.0);
}

// Each harmonic of the coloured sine has a known level before the filter, so its level at
// the output shows the filter's magnitude at that frequency.
TEST(Spectrum, DecimationLowPassFollowsFourthOrderButterworth) {
  const double character = 1.0;
  const double normaliser = 1.0 + 0.045 * character;
  struct Tone {
    int harmonic;
    double share;
  };
  const Tone tones[] = {{1, 1.0}, {3, 0.035 * character}, {5, 0.01 * character}};
  for (int note : {69, 100, 105, 108, 112, 115}) {
    const Signal x = heldNote(note, 0.0, 100.0, character * 100.0);
    for (const Tone& t : tones) {
      const double hz = t.harmonic * noteHz(note);
      const double expected = t.share / normaliser * butterworthMagnitude(hz);
      const double measured = toneAmplitude(x, 8820, 32768, folded(hz), kRate);
      const double errorDb = decibels(measured / expected);
      const double toleranceDb = decibels(expected) > -60.0 ? 0.05 : 0.3;
      EXPECT_NEAR(errorDb, 0.0, toleranceDb)
          << "note " << note << " harmonic " << t.harmonic << " at " << hz / kRate
          << " of the rate: filter " << decibels(butterworthMagnitude(hz)) << " dB";
    }
  }
}

}  // namespace
