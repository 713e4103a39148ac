// Measurement helpers for the listening tests.
#include "tests/engine/SignalMeasure.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace {

constexpr double kPi = 3.14159265358979323846;

double blackmanHarris(size_t i, size_t n) {
  const double t = 2.0 * kPi * static_cast<double>(i) / static_cast<double>(n - 1);
  return 0.35875 - 0.48829 * std::cos(t) + 0.14128 * std::cos(2 * t) - 0.01168 * std::cos(3 * t);
}

void fft(std::vector<std::complex<double>>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1)
      j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const std::complex<double> w = std::polar(1.0, -2.0 * kPi / static_cast<double>(len));
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> wk = 1.0;
      for (size_t k = 0; k < len / 2; ++k) {
        const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * wk;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
        wk *= w;
      }
    }
  }
}

}  // namespace

std::vector<double> upwardCrossings(const Signal& x, size_t from, size_t to) {
  std::vector<double> times;
  for (size_t i = from + 1; i < to && i < x.size(); ++i)
    if (x[i - 1] < 0.0 && x[i] >= 0.0)
      times.push_back(static_cast<double>(i - 1) + x[i - 1] / (x[i - 1] - x[i]));
  return times;
}

double crossingFrequency(const Signal& x, size_t from, size_t to, double sampleRate) {
  const std::vector<double> t = upwardCrossings(x, from, to);
  if (t.size() < 2) return 0.0;
  return static_cast<double>(t.size() - 1) / (t.back() - t.front()) * sampleRate;
}

std::vector<CycleFrequency> cycleFrequencies(const Signal& x, size_t from, size_t to,
                                             double sampleRate) {
  const std::vector<double> t = upwardCrossings(x, from, to);
  std::vector<CycleFrequency> cycles;
  for (size_t i = 1; i < t.size(); ++i)
    cycles.push_back({0.5 * (t[i] + t[i - 1]), sampleRate / (t[i] - t[i - 1])});
  return cycles;
}

double toneAmplitude(const Signal& x, size_t from, size_t length, double hz, double sampleRate) {
  std::complex<double> sum = 0.0;
  double weight = 0.0;
  const double w = 2.0 * kPi * hz / sampleRate;
  for (size_t i = 0; i < length; ++i) {
    const double win = blackmanHarris(i, length);
    sum += win * x[from + i] * std::polar(1.0, -w * static_cast<double>(i));
    weight += win;
  }
  return 2.0 * std::abs(sum) / weight;
}

std::vector<double> powerSpectrum(const Signal& x, size_t from, size_t n) {
  std::vector<std::complex<double>> a(n);
  for (size_t i = 0; i < n; ++i)
    a[i] = blackmanHarris(i, n) * x[from + i];
  fft(a);
  std::vector<double> power(n / 2 + 1);
  for (size_t k = 0; k <= n / 2; ++k)
    power[k] = std::norm(a[k]);
  return power;
}

Signal levelRatio(const Signal& a, const Signal& b, size_t from, size_t to, double floor) {
  Signal ratio(a.size(), std::nan(""));
  for (size_t i = from; i < to && i < a.size() && i < b.size(); ++i)
    if (std::fabs(b[i]) > floor) ratio[i] = a[i] / b[i];
  return ratio;
}

double peakLevel(const Signal& x, size_t from, size_t to) {
  double peak = 0.0;
  for (size_t i = from; i < to && i < x.size(); ++i)
    peak = std::max(peak, std::fabs(x[i]));
  return peak;
}

double centsBetween(double hz, double referenceHz) {
  return 1200.0 * std::log2(hz / referenceHz);
}

double noteHz(double note) {
  return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

double decibels(double ratio) {
  return 20.0 * std::log10(ratio);
}

size_t firstNonZero(const Signal& x, size_t from) {
  for (size_t i = from; i < x.size(); ++i)
    if (x[i] != 0.0) return i;
  return x.size();
}
