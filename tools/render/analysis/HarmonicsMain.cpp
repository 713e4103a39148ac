// brisalonde-harmonics FILE.wav --pitch HZ [--from SECONDS] [--length SECONDS] [--below HZ]:
// measures the energy off the harmonics of a steady tone against the energy on them, in the
// first channel, over the whole band or below a frequency.
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tools/render/analysis/HarmonicSplit.h"
#include "tools/render/analysis/Spectrum.h"

namespace {

constexpr double kKaiserBeta = 20.0;  // side lobes below -150 dB
constexpr int kGuardBins = 16;        // wider than the window's main lobe (about 7 bins)

int usage() {
  std::fprintf(stderr,
               "usage: brisalonde-harmonics FILE.wav --pitch HZ [--from SECONDS] "
               "[--length SECONDS] [--below HZ]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return usage();
  double pitch = 0.0, from = 0.5, length = 1.0, below = 0.0;
  for (int i = 2; i + 1 < argc; i += 2) {
    const double value = std::strtod(argv[i + 1], nullptr);
    if (std::strcmp(argv[i], "--pitch") == 0)
      pitch = value;
    else if (std::strcmp(argv[i], "--from") == 0)
      from = value;
    else if (std::strcmp(argv[i], "--length") == 0)
      length = value;
    else if (std::strcmp(argv[i], "--below") == 0)
      below = value;
    else
      return usage();
  }
  if (!(pitch > 0.0) || !(from >= 0.0) || !(length > 0.0) || !(below >= 0.0)) return usage();

  SF_INFO info{};
  SNDFILE* file = sf_open(argv[1], SFM_READ, &info);
  if (file == nullptr) {
    std::fprintf(stderr, "brisalonde-harmonics: cannot read %s: %s\n", argv[1],
                 sf_strerror(nullptr));
    return 1;
  }
  std::vector<double> interleaved(static_cast<size_t>(info.frames * info.channels));
  sf_readf_double(file, interleaved.data(), info.frames);
  sf_close(file);

  const auto start = static_cast<size_t>(from * info.samplerate);
  const auto wanted = static_cast<size_t>(length * info.samplerate);
  if (start + wanted > static_cast<size_t>(info.frames)) {
    std::fprintf(stderr, "brisalonde-harmonics: %s is shorter than %.3f s\n", argv[1],
                 from + length);
    return 1;
  }
  size_t fftSize = 1;
  while (fftSize * 2 <= wanted)
    fftSize *= 2;
  std::vector<double> samples(fftSize);
  for (size_t i = 0; i < fftSize; ++i)
    samples[i] = interleaved[(start + i) * static_cast<size_t>(info.channels)];

  const std::vector<double> power = powerSpectrum(samples.data(), fftSize, fftSize, kKaiserBeta);
  const HarmonicSplit split = splitHarmonics(power, info.samplerate, pitch, kGuardBins, below);
  std::printf(
      "fundamental %.2f Hz, %d harmonics below %.0f Hz, off-harmonic energy %.1f dB "
      "relative to the harmonics\n",
      split.fundamentalHz, split.harmonics, below > 0.0 ? below : info.samplerate / 2.0,
      split.ratioDb());
  for (const SpectralPeak& peak : split.otherPeaks)
    std::printf("  off-harmonic peak at %.1f Hz, %.1f dB below the strongest harmonic\n", peak.hz,
                -10.0 * std::log10(peak.power / split.strongestHarmonic));
  return 0;
}
