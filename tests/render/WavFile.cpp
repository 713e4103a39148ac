// Walks the RIFF chunks for "fmt " and "data".
#include "tests/render/WavFile.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {
uint32_t le(const std::vector<unsigned char>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i)
    v = (v << 8) | b[at + static_cast<size_t>(i)];
  return v;
}
}  // namespace

bool readWavFile(const std::string& path, WavFile& wav) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
  if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(&b[8], "WAVE", 4) != 0)
    return false;
  wav = WavFile{};
  for (size_t at = 12; at + 8 <= b.size();) {
    const uint32_t size = le(b, at + 4, 4);
    const size_t body = at + 8;
    if (body + size > b.size()) return false;
    if (std::memcmp(&b[at], "fmt ", 4) == 0 && size >= 16) {
      wav.isFloat = le(b, body, 2) == 3;
      wav.channels = static_cast<int>(le(b, body + 2, 2));
      wav.sampleRate = le(b, body + 4, 4);
      wav.bitsPerSample = static_cast<int>(le(b, body + 14, 2));
    } else if (std::memcmp(&b[at], "data", 4) == 0 && wav.channels > 0) {
      const int bytes = wav.bitsPerSample / 8;
      const size_t frames = size / (static_cast<size_t>(bytes) * wav.channels);
      wav.samples.assign(static_cast<size_t>(wav.channels), std::vector<double>(frames));
      for (size_t j = 0; j < frames; ++j)
        for (int c = 0; c < wav.channels; ++c) {
          const size_t p = body + (j * wav.channels + static_cast<size_t>(c)) * bytes;
          const uint32_t raw = le(b, p, bytes);
          double v = 0.0;
          if (wav.isFloat && bytes == 4) {
            float f;
            std::memcpy(&f, &raw, 4);
            v = f;
          } else if (!wav.isFloat && (bytes == 2 || bytes == 3)) {
            const int shift = 32 - 8 * bytes;
            v = static_cast<int32_t>(raw << shift) / 2147483648.0;
          } else {
            return false;
          }
          wav.samples[static_cast<size_t>(c)][j] = v;
        }
      return true;
    }
    at = body + size + (size & 1);
  }
  return false;
}
