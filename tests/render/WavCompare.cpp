// render-wav-compare A.wav B.wav [BOUND]: compares two renders sample by sample (through
// libsndfile, in double precision) and prints the largest and the RMS difference. Exits 1
// when the files differ in shape or the largest difference exceeds BOUND (default 0).
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

bool readAll(const char* path, SF_INFO& info, std::vector<double>& samples) {
  info = SF_INFO{};
  SNDFILE* file = sf_open(path, SFM_READ, &info);
  if (file == nullptr) {
    std::fprintf(stderr, "render-wav-compare: cannot read %s: %s\n", path, sf_strerror(nullptr));
    return false;
  }
  samples.resize(static_cast<size_t>(info.frames * info.channels));
  const sf_count_t got = sf_readf_double(file, samples.data(), info.frames);
  sf_close(file);
  return got == info.frames;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: render-wav-compare A.wav B.wav [BOUND]\n");
    return 2;
  }
  const double bound = argc == 4 ? std::strtod(argv[3], nullptr) : 0.0;
  SF_INFO a, b;
  std::vector<double> x, y;
  if (!readAll(argv[1], a, x) || !readAll(argv[2], b, y)) return 1;
  if (a.frames != b.frames || a.channels != b.channels || a.samplerate != b.samplerate) {
    std::printf("shapes differ: %lld frames x %d channels at %d Hz against %lld x %d at %d Hz\n",
                static_cast<long long>(a.frames), a.channels, a.samplerate,
                static_cast<long long>(b.frames), b.channels, b.samplerate);
    return 1;
  }
  double largest = 0.0, sumOfSquares = 0.0, peak = 0.0;
  size_t differing = 0;
  for (size_t i = 0; i < x.size(); ++i) {
    const double d = std::fabs(x[i] - y[i]);
    largest = std::fmax(largest, d);
    sumOfSquares += d * d;
    differing += d != 0.0;
    peak = std::fmax(peak, std::fabs(x[i]));
  }
  const double rms = x.empty() ? 0.0 : std::sqrt(sumOfSquares / static_cast<double>(x.size()));
  std::printf(
      "%lld frames x %d channels: largest difference %.3g (%.1f dBFS), rms %.3g, "
      "%zu of %zu samples differ, peak %.3f\n",
      static_cast<long long>(a.frames), a.channels, largest,
      largest > 0.0 ? 20.0 * std::log10(largest) : -INFINITY, rms, differing, x.size(), peak);
  return largest <= bound ? 0 : 1;
}
