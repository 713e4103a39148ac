// A minimal WAV reader for the render tests, so that they can look at rendered audio on
// every platform (the native WAV tests cross-check the writer with libsndfile and sox).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WavFile {
  int channels = 0;
  uint32_t sampleRate = 0;
  int bitsPerSample = 0;
  bool isFloat = false;
  std::vector<std::vector<double>> samples;  // per channel, scaled to full scale 1.0

  size_t frames() const { return samples.empty() ? 0 : samples[0].size(); }
};

// Reads 16/24-bit integer or 32-bit float files; false for anything else.
bool readWavFile(const std::string& path, WavFile& wav);
