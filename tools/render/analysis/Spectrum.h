// The power spectrum of a stretch of audio: a Kaiser window (side lobes far below anything
// an instrument aliases) and a radix-2 FFT.
#pragma once

#include <complex>
#include <cstddef>
#include <vector>

// In place; the size must be a power of two.
void fourierTransform(std::vector<std::complex<double>>& data);

// |X(k)|^2 for k = 0 .. fftSize/2 of `fftSize` samples windowed by a Kaiser window with
// the given beta. `fftSize` must be a power of two and at most `count`.
std::vector<double> powerSpectrum(const double* samples, size_t count, size_t fftSize,
                                  double kaiserBeta);
