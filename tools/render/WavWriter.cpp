// The WAV layout: a RIFF chunk holding "fmt " (with a "fact" chunk for float data) and
// "data", little-endian throughout. Integer samples are scaled by 2^(bits-1) and rounded,
// which is how readers scale them back, so full scale maps to full scale both ways.
#include "tools/render/WavWriter.h"

#include <cerrno>
#include <cmath>
#include <cstring>

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint32_t kPcmFormatChunkSize = 16;
constexpr uint32_t kFloatFormatChunkSize = 18;  // with an empty extension size
constexpr uint32_t kFactChunkSize = 4;

void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xFFFFu);
  put16(out, v >> 16);
}
void putTag(std::vector<uint8_t>& out, const char* tag) {
  out.insert(out.end(), tag, tag + 4);
}

}  // namespace

WavWriter::~WavWriter() {
  if (file_ != nullptr) std::fclose(file_);
}

uint32_t WavWriter::bytesPerSample(SampleFormat format) {
  switch (format) {
    case SampleFormat::Int16:
      return 2;
    case SampleFormat::Int24:
      return 3;
    case SampleFormat::Float32:
      return 4;
  }
  return 4;
}

bool WavWriter::fail(const std::string& what) {
  reason_ = what;
  error_ = "cannot write " + path_ + ": " + what;
  return false;
}

bool WavWriter::open(const std::string& path, int channels, uint32_t sampleRate,
                     SampleFormat format) {
  path_ = path;
  channels_ = channels;
  sampleRate_ = sampleRate;
  format_ = format;
  frames_ = clipped_ = nonFinite_ = 0;
  if (channels < 1 || channels > 0xFFFF) return fail("a WAV file needs 1 to 65535 channels");
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) return fail(std::strerror(errno));
  return writeHeader();
}

bool WavWriter::writeHeader() {
  const bool isFloat = format_ == SampleFormat::Float32;
  const uint32_t sampleBytes = bytesPerSample(format_);
  const uint32_t frameBytes = sampleBytes * static_cast<uint32_t>(channels_);
  const uint64_t dataBytes = frames_ * frameBytes;
  const uint32_t formatChunk = isFloat ? kFloatFormatChunkSize : kPcmFormatChunkSize;
  const uint32_t factBytes = isFloat ? 8 + kFactChunkSize : 0;
  const uint32_t riffBytes =
      4 + (8 + formatChunk) + factBytes + 8 + static_cast<uint32_t>(dataBytes);

  std::vector<uint8_t> h;
  putTag(h, "RIFF");
  put32(h, riffBytes);
  putTag(h, "WAVE");
  putTag(h, "fmt ");
  put32(h, formatChunk);
  put16(h, isFloat ? kFormatFloat : kFormatPcm);
  put16(h, static_cast<uint32_t>(channels_));
  put32(h, sampleRate_);
  put32(h, sampleRate_ * frameBytes);
  put16(h, frameBytes);
  put16(h, sampleBytes * 8);
  if (isFloat) {
    put16(h, 0);
    putTag(h, "fact");
    put32(h, kFactChunkSize);
    put32(h, static_cast<uint32_t>(frames_));
  }
  putTag(h, "data");
  put32(h, static_cast<uint32_t>(dataBytes));
  if (std::fseek(file_, 0, SEEK_SET) != 0 || std::fwrite(h.data(), 1, h.size(), file_) != h.size())
    return fail(std::strerror(errno));
  return true;
}

void WavWriter::encode(double sample, uint8_t* out) {
  if (!std::isfinite(sample)) {
    ++nonFinite_;
    sample = 0.0;
  }
  if (format_ == SampleFormat::Float32) {
    const float f = static_cast<float>(sample);
    uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    for (int i = 0; i < 4; ++i)
      out[i] = static_cast<uint8_t>(bits >> (8 * i));
    return;
  }
  const int bits = format_ == SampleFormat::Int16 ? 16 : 24;
  const double scale = std::ldexp(1.0, bits - 1);
  double scaled = std::round(sample * scale);
  if (scaled > scale - 1.0 || scaled < -scale) {
    ++clipped_;
    scaled = scaled > 0.0 ? scale - 1.0 : -scale;
  }
  const auto value = static_cast<uint32_t>(static_cast<int32_t>(scaled));
  for (int i = 0; i < bits / 8; ++i)
    out[i] = static_cast<uint8_t>(value >> (8 * i));
}

template <typename Sample>
bool WavWriter::write(const Sample* const* channels, int32_t frames) {
  if (file_ == nullptr) return fail("the file is not open");
  if (frames <= 0) return true;
  const size_t sampleBytes = bytesPerSample(format_);
  const size_t frameBytes = sampleBytes * static_cast<size_t>(channels_);
  if ((frames_ + static_cast<uint64_t>(frames)) * frameBytes > kMaxDataBytes)
    return fail("the audio exceeds the 4 GiB a WAV file can hold");
  scratch_.resize(static_cast<size_t>(frames) * frameBytes);
  uint8_t* out = scratch_.data();
  for (int32_t j = 0; j < frames; ++j)
    for (int c = 0; c < channels_; ++c, out += sampleBytes)
      encode(static_cast<double>(channels[c][j]), out);
  if (std::fwrite(scratch_.data(), 1, scratch_.size(), file_) != scratch_.size())
    return fail(std::strerror(errno));
  frames_ += static_cast<uint64_t>(frames);
  return true;
}

template bool WavWriter::write<float>(const float* const*, int32_t);
template bool WavWriter::write<double>(const double* const*, int32_t);

bool WavWriter::close() {
  if (file_ == nullptr) return error_.empty();
  bool ok = writeHeader();
  if (ok && std::fflush(file_) != 0) ok = fail(std::strerror(errno));
  if (std::fclose(file_) != 0 && ok) ok = fail(std::strerror(errno));
  file_ = nullptr;
  return ok;
}
