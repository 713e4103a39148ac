// Measurements on rendered audio: frequency from zero crossings, the amplitude of one tone,
// the spectrum, and levels.
#pragma once

#include <cstddef>
#include <vector>

using Signal = std::vector<double>;

// Times (in frames, interpolated) of the upward zero crossings within [from, to).
std::vector<double> upwardCrossings(const Signal& x, size_t from, size_t to);

// Mean frequency over [from, to) from the first to the last upward crossing.
double crossingFrequency(const Signal& x, size_t from, size_t to, double sampleRate);

// Frequency per cycle: for each pair of neighbouring upward crossings, the frame at the
// middle of the cycle and 1 / period.
struct CycleFrequency {
  double frame;
  double hz;
};
std::vector<CycleFrequency> cycleFrequencies(const Signal& x, size_t from, size_t to,
                                             double sampleRate);

// Amplitude of the sinusoid at `hz` in x[from, from + length), with a Blackman-Harris window
// that keeps other tones far from it out of the estimate.
double toneAmplitude(const Signal& x, size_t from, size_t length, double hz, double sampleRate);

// Power spectrum (|X|^2, bins 0..n/2) of x[from, from + n) under a Blackman-Harris window;
// n must be a power of two.
std::vector<double> powerSpectrum(const Signal& x, size_t from, size_t n);

// The gain that turns b into a at each frame of [from, to) where |b| exceeds `floor` (NaN at
// the others): with the same oscillator in both renders, this is the ratio of their
// envelopes and gains.
Signal levelRatio(const Signal& a, const Signal& b, size_t from, size_t to, double floor = 0.1);

// Largest |ratio[i] - expected(i)| over the frames of [from, to) where the ratio is known.
template <typename Expected>
double largestDeviation(const Signal& ratio, size_t from, size_t to, Expected expected) {
  double largest = 0.0;
  for (size_t i = from; i < to && i < ratio.size(); ++i)
    if (ratio[i] == ratio[i]) {
      const double d = ratio[i] - expected(i);
      largest = d > largest ? d : (-d > largest ? -d : largest);
    }
  return largest;
}

double peakLevel(const Signal& x, size_t from, size_t to);

double centsBetween(double hz, double referenceHz);

// Equal-tempered frequency of a (possibly fractional) MIDI note, A4 = note 69 = 440 Hz.
double noteHz(double note);
double decibels(double ratio);

// Index of the first sample that is not exactly zero, or x.size().
size_t firstNonZero(const Signal& x, size_t from = 0);
