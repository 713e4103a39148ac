// Iterative radix-2 FFT and the Kaiser window.
#include "tools/render/analysis/Spectrum.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace {

// The modified Bessel function of order 0, by its power series (converges for any x).
double besselI0(double x) {
  double sum = 1.0, term = 1.0;
  for (int k = 1; k < 500 && term > 1e-17 * sum; ++k) {
    term *= (x / (2.0 * k)) * (x / (2.0 * k));
    sum += term;
  }
  return sum;
}

}  // namespace

void fourierTransform(std::vector<std::complex<double>>& data) {
  const size_t n = data.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1)
      j ^= bit;
    j ^= bit;
    if (i < j) std::swap(data[i], data[j]);
  }
  for (size_t length = 2; length <= n; length <<= 1) {
    const double angle = -2.0 * std::numbers::pi / static_cast<double>(length);
    for (size_t start = 0; start < n; start += length)
      for (size_t k = 0; k < length / 2; ++k) {
        // Twiddles from sin and cos directly rather than by recurrence, for accuracy.
        const std::complex<double> w = std::polar(1.0, angle * static_cast<double>(k));
        const std::complex<double> odd = w * data[start + k + length / 2];
        data[start + k + length / 2] = data[start + k] - odd;
        data[start + k] += odd;
      }
  }
}

std::vector<double> powerSpectrum(const double* samples, size_t count, size_t fftSize,
                                  double kaiserBeta) {
  if (fftSize == 0 || fftSize > count || (fftSize & (fftSize - 1)) != 0) return {};
  std::vector<std::complex<double>> data(fftSize);
  const double norm = besselI0(kaiserBeta);
  for (size_t i = 0; i < fftSize; ++i) {
    const double r = 2.0 * static_cast<double>(i) / static_cast<double>(fftSize - 1) - 1.0;
    data[i] = samples[i] * besselI0(kaiserBeta * std::sqrt(std::fmax(0.0, 1.0 - r * r))) / norm;
  }
  fourierTransform(data);
  std::vector<double> power(fftSize / 2 + 1);
  for (size_t k = 0; k < power.size(); ++k)
    power[k] = std::norm(data[k]);
  return power;
}
