// Writing a WAV file as the audio is rendered: 16-bit or 24-bit integer PCM, or 32-bit
// float, any number of channels. The header's sizes are filled in when the file is closed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum class SampleFormat { Int16, Int24, Float32 };

class WavWriter {
 public:
  // The largest audio payload a WAV file can describe (its sizes are 32-bit).
  static constexpr uint64_t kMaxDataBytes = 0xFFFFFFFFull - 64;

  WavWriter() = default;
  ~WavWriter();  // an unfinished file is closed as it stands
  WavWriter(const WavWriter&) = delete;
  WavWriter& operator=(const WavWriter&) = delete;

  static uint32_t bytesPerSample(SampleFormat format);

  // Creates the file and writes a provisional header; false with error() if impossible.
  bool open(const std::string& path, int channels, uint32_t sampleRate, SampleFormat format);
  // Appends `frames` frames from one buffer per channel. Integer formats clip to full scale
  // (counted in clippedSamples()); non-finite samples are written as 0.
  template <typename Sample>
  bool write(const Sample* const* channels, int32_t frames);
  // Fills in the sizes and closes the file.
  bool close();

  // "cannot write <path>: <reason>", and the reason alone.
  const std::string& error() const { return error_; }
  const std::string& reason() const { return reason_; }
  uint64_t framesWritten() const { return frames_; }
  uint64_t clippedSamples() const { return clipped_; }
  uint64_t nonFiniteSamples() const { return nonFinite_; }

 private:
  bool writeHeader();
  bool fail(const std::string& what);
  void encode(double sample, uint8_t* out);

  std::FILE* file_ = nullptr;
  std::string path_;
  std::string error_;
  std::string reason_;
  int channels_ = 0;
  uint32_t sampleRate_ = 0;
  SampleFormat format_ = SampleFormat::Int24;
  uint64_t frames_ = 0;
  uint64_t clipped_ = 0;
  uint64_t nonFinite_ = 0;
  std::vector<uint8_t> scratch_;
};
