// Finding the harmonics: the strongest bin near the expected fundamental, refined by
// parabolic interpolation, then by the peaks of the higher harmonics (their errors shrink
// with their number).
#include "tools/render/analysis/HarmonicSplit.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSearchFraction = 0.1;
constexpr double kRefineAboveStrongestDb = -60.0;  // harmonics weaker than this do not refine

// The interpolated position of the strongest bin in [low, high].
double peakNear(const std::vector<double>& power, double low, double high) {
  const size_t first = static_cast<size_t>(std::max(1.0, std::floor(low)));
  const size_t last = std::min(power.size() - 2, static_cast<size_t>(std::ceil(high)));
  size_t best = first;
  for (size_t k = first; k <= last; ++k)
    if (power[k] > power[best]) best = k;
  const double a = std::log(power[best - 1] + 1e-300), b = std::log(power[best] + 1e-300),
               c = std::log(power[best + 1] + 1e-300);
  const double denominator = a - 2.0 * b + c;
  const double offset = denominator < 0.0 ? 0.5 * (a - c) / denominator : 0.0;
  return static_cast<double>(best) + std::clamp(offset, -0.5, 0.5);
}

}  // namespace

double HarmonicSplit::ratioDb() const {
  if (harmonicEnergy <= 0.0) return 0.0;
  return 10.0 * std::log10(std::max(otherEnergy, 1e-300) / harmonicEnergy);
}

HarmonicSplit splitHarmonics(const std::vector<double>& power, double sampleRate, double expectedHz,
                             int guardBins, double highestHz) {
  HarmonicSplit split;
  if (power.size() < 16 || expectedHz <= 0.0) return split;
  const double binHz = sampleRate / (2.0 * static_cast<double>(power.size() - 1));
  const double nyquistBin = static_cast<double>(power.size() - 1);
  const double expectedBin = expectedHz / binHz;

  double fundamentalBin =
      peakNear(power, expectedBin * (1.0 - kSearchFraction), expectedBin * (1.0 + kSearchFraction));
  const double strongest = power[static_cast<size_t>(std::lround(fundamentalBin))];
  for (int k = 2; k * fundamentalBin + guardBins < nyquistBin; ++k) {
    const double centre = k * fundamentalBin;
    const double peak = peakNear(power, centre - guardBins / 2.0, centre + guardBins / 2.0);
    const double level = power[static_cast<size_t>(std::lround(peak))];
    if (10.0 * std::log10(level / strongest) > kRefineAboveStrongestDb) fundamentalBin = peak / k;
  }
  split.fundamentalHz = fundamentalBin * binHz;

  const double topBin = highestHz > 0.0 ? std::min(nyquistBin, highestHz / binHz) : nyquistBin;
  const size_t end = static_cast<size_t>(topBin) + 1;
  std::vector<bool> harmonic(power.size(), false);
  for (int k = 1; k * fundamentalBin - guardBins <= nyquistBin; ++k) {
    const double centre = k * fundamentalBin;
    if (centre < topBin) ++split.harmonics;
    const long low = std::max(0L, std::lround(centre) - guardBins);
    const long high = std::min(static_cast<long>(nyquistBin), std::lround(centre) + guardBins);
    for (long b = low; b <= high; ++b)
      harmonic[static_cast<size_t>(b)] = true;
  }
  const auto lowest = static_cast<size_t>(std::ceil(kLowestHz / binHz));
  for (size_t b = lowest; b < end; ++b) {
    if (harmonic[b]) {
      split.harmonicEnergy += power[b];
      split.strongestHarmonic = std::max(split.strongestHarmonic, power[b]);
    } else {
      split.otherEnergy += power[b];
      if (b + 1 < end && power[b] > power[b - 1] && power[b] >= power[b + 1])
        split.otherPeaks.push_back(SpectralPeak{static_cast<double>(b) * binHz, power[b]});
    }
  }
  std::sort(split.otherPeaks.begin(), split.otherPeaks.end(),
            [](const SpectralPeak& a, const SpectralPeak& b) { return a.power > b.power; });
  if (split.otherPeaks.size() > kOtherPeaksKept) split.otherPeaks.resize(kOtherPeaksKept);
  return split;
}
