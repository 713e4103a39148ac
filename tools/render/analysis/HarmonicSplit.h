// How much of a steady tone's energy lies on its harmonics and how much elsewhere: for a
// periodic instrument, the energy off the harmonics is aliasing (plus noise), so the ratio
// measures how well the instrument is band-limited.
#pragma once

#include <cstddef>
#include <vector>

struct SpectralPeak {
  double hz = 0.0;
  double power = 0.0;
};

struct HarmonicSplit {
  double fundamentalHz = 0.0;  // as measured
  int harmonics = 0;           // counted up to the Nyquist frequency
  double harmonicEnergy = 0.0;
  double otherEnergy = 0.0;  // from kLowestHz up, away from every harmonic
  double strongestHarmonic = 0.0;
  std::vector<SpectralPeak> otherPeaks;  // the strongest off-harmonic peaks, strongest first

  double ratioDb() const;  // other / harmonic, in dB
};

constexpr double kLowestHz = 20.0;
constexpr size_t kOtherPeaksKept = 8;

// Splits a power spectrum (bins 0 .. fftSize/2) up to `highestHz` (0: the Nyquist
// frequency). The fundamental is looked for within 10 % of `expectedHz` and refined on the
// harmonics; a harmonic owns the bins within `guardBins` of its frequency.
HarmonicSplit splitHarmonics(const std::vector<double>& power, double sampleRate, double expectedHz,
                             int guardBins, double highestHz = 0.0);
