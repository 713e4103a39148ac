// The WAV writer checked against two independent readers: libsndfile and sox.
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "gtest/gtest.h"
#include "tests/render/TestFiles.h"
#include "tools/render/WavWriter.h"

namespace {

constexpr int kFrames = 1000;
constexpr uint32_t kRate = 44100;

// Two channels: a ramp through and beyond full scale, and a quiet sine; a NaN in the ramp.
struct Signal {
  std::vector<double> ramp, sine;
  Signal() {
    for (int j = 0; j < kFrames; ++j) {
      ramp.push_back(-1.25 + 2.5 * j / (kFrames - 1));
      sine.push_back(0.3 * std::sin(0.01 * j));
    }
    ramp[500] = std::numeric_limits<double>::quiet_NaN();
  }
  double expected(int channel, int j) const {
    const double v = channel == 0 ? ramp[j] : sine[j];
    return std::isfinite(v) ? v : 0.0;
  }
};

// Written in uneven blocks, as a render does.
std::string writeSignal(const Signal& s, SampleFormat format, WavWriter& writer) {
  const std::string path = testfiles::scratch("wav");
  EXPECT_TRUE(writer.open(path, 2, kRate, format)) << writer.error();
  for (int start = 0; start < kFrames; start += 333) {
    const int frames = std::min(333, kFrames - start);
    const double* channels[2] = {s.ramp.data() + start, s.sine.data() + start};
    EXPECT_TRUE(writer.write(channels, frames)) << writer.error();
  }
  EXPECT_TRUE(writer.close()) << writer.error();
  return path;
}

// What a reader should see: floats as written, integers scaled by 2^(bits-1) and clipped.
double quantized(double v, SampleFormat format) {
  if (format == SampleFormat::Float32) return static_cast<float>(v);
  const double scale = format == SampleFormat::Int16 ? 32768.0 : 8388608.0;
  return std::clamp(std::round(v * scale), -scale, scale - 1.0) / scale;
}

std::vector<double> readWithLibsndfile(const std::string& path, SF_INFO& info) {
  info = SF_INFO{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
  if (file == nullptr) return {};
  std::vector<double> samples(static_cast<size_t>(info.frames * info.channels));
  EXPECT_EQ(sf_readf_double(file, samples.data(), info.frames), info.frames);
  sf_close(file);
  return samples;
}

// Raw doubles: sox's own single-precision output would round its samples to 24 bits.
std::vector<double> readWithSox(const std::string& path) {
  const std::string command = "sox -V1 -D '" + path + "' -t f64 -";
  std::FILE* pipe = popen(command.c_str(), "r");
  EXPECT_NE(pipe, nullptr);
  std::vector<double> samples;
  double buffer[1024];
  size_t got = 0;
  while ((got = std::fread(buffer, sizeof(double), 1024, pipe)) > 0)
    samples.insert(samples.end(), buffer, buffer + got);
  EXPECT_EQ(pclose(pipe), 0) << command;
  return samples;
}

class WavWriterFormats : public ::testing::TestWithParam<SampleFormat> {};

TEST_P(WavWriterFormats, LibsndfileReadsBackWhatWasWritten) {
  const Signal s;
  WavWriter writer;
  const std::string path = writeSignal(s, GetParam(), writer);
  SF_INFO info;
  const std::vector<double> samples = readWithLibsndfile(path, info);
  ASSERT_EQ(info.frames, kFrames);
  EXPECT_EQ(info.channels, 2);
  EXPECT_EQ(info.samplerate, static_cast<int>(kRate));
  const int subtype = info.format & SF_FORMAT_SUBMASK;
  EXPECT_EQ(subtype, GetParam() == SampleFormat::Int16   ? SF_FORMAT_PCM_16
                     : GetParam() == SampleFormat::Int24 ? SF_FORMAT_PCM_24
                                                         : SF_FORMAT_FLOAT);
  for (int j = 0; j < kFrames; ++j)
    for (int c = 0; c < 2; ++c)
      ASSERT_EQ(samples[2 * j + c], quantized(s.expected(c, j), GetParam()))
          << "frame " << j << " channel " << c;
  EXPECT_EQ(writer.nonFiniteSamples(), 1u);
}

TEST_P(WavWriterFormats, SoxReadsBackWhatWasWritten) {
  const Signal s;
  WavWriter writer;
  const std::vector<double> samples = readWithSox(writeSignal(s, GetParam(), writer));
  ASSERT_EQ(samples.size(), 2u * kFrames);
  // sox carries samples as 32-bit integers inside: a float loses at most one step of 2^-31,
  // and float samples beyond full scale are clipped on reading.
  for (int j = 0; j < kFrames; ++j)
    for (int c = 0; c < 2; ++c)
      ASSERT_NEAR(samples[2 * j + c],
                  std::clamp(quantized(s.expected(c, j), GetParam()), -1.0, 1.0), 1e-9)
          << "frame " << j << " channel " << c;
}

INSTANTIATE_TEST_SUITE_P(AllFormats, WavWriterFormats,
                         ::testing::Values(SampleFormat::Int16, SampleFormat::Int24,
                                           SampleFormat::Float32));

TEST(WavWriter, CountsClippedIntegerSamplesButNeverFloats) {
  const Signal s;
  WavWriter pcm, flt;
  writeSignal(s, SampleFormat::Int16, pcm);
  writeSignal(s, SampleFormat::Float32, flt);
  // The ramp spends a tenth of its length beyond full scale on each side.
  EXPECT_NEAR(static_cast<double>(pcm.clippedSamples()), 200.0, 2.0);
  EXPECT_EQ(flt.clippedSamples(), 0u);
}

TEST(WavWriter, HeaderSizesMatchTheFile) {
  for (SampleFormat format : {SampleFormat::Int24, SampleFormat::Float32}) {
    const Signal s;
    WavWriter writer;
    const std::string path = writeSignal(s, format, writer);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::vector<unsigned char> bytes(1 << 16);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    auto le32 = [&](size_t at) {
      return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
    };
    EXPECT_EQ(le32(4) + 8, bytes.size()) << "RIFF size";
    const size_t dataTag = bytes.size() - 2u * kFrames * WavWriter::bytesPerSample(format) - 8;
    EXPECT_EQ(std::string(bytes.begin() + dataTag, bytes.begin() + dataTag + 4), "data");
    EXPECT_EQ(le32(dataTag + 4), 2u * kFrames * WavWriter::bytesPerSample(format));
  }
}

TEST(WavWriter, NamesTheFileItCannotCreate) {
  WavWriter writer;
  EXPECT_FALSE(writer.open(testfiles::scratch("missing-folder") + "/out.wav", 2, kRate,
                           SampleFormat::Int16));
  EXPECT_NE(writer.error().find("cannot write "), std::string::npos);
  EXPECT_NE(writer.error().find("missing-folder/out.wav"), std::string::npos);
}

}  // namespace
