// A phrase of MIDI events at absolute frames, played through an instance in any sequence of
// block sizes: the same phrase under different block sequences, paths or instances must
// give the same audio from a sample-accurate, deterministic instrument.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "tools/host/RenderPath.h"

class CheckContext;
class Subject;

struct TimedEvent {
  int64_t frame;
  uint8_t bytes[3];
};

struct Phrase {
  std::vector<TimedEvent> events;  // in frame order
  int64_t length = 0;              // frames to render

  void add(int64_t frame, uint8_t status, uint8_t data1, uint8_t data2);
  void sort();
};

// Notes that start and end on frames where block grids meet and miss (0, 1, 63, 64, 511,
// 512, 4095, 4096, ...), overlapping, every one ended, at `sampleRate`; under a second.
Phrase gridPhrase(double sampleRate);
// Random notes on random channels with pitch bend, modulation and pedal, every note ended.
Phrase randomPhrase(CheckContext& context, double sampleRate, double seconds);

struct PlayOptions {
  std::function<int32_t()> nextBlock;  // block sizes; 0 is allowed
  bool reverseEachBlock = false;       // deliver each block's events latest frame first
};

// Plays the phrase and returns channel 0 (all channels are scanned by the subject).
std::vector<double> play(Subject& subject, const Phrase& phrase, const PlayOptions& options,
                         RenderPath path);
std::vector<double> play(Subject& subject, const Phrase& phrase, int32_t blockSize);

// The largest absolute difference of two recordings; `where` gets its frame (-1 if equal).
// A length mismatch counts as an infinite difference.
double largestDifference(const std::vector<double>& a, const std::vector<double>& b,
                         int64_t* where = nullptr);
double peakOf(const std::vector<double>& signal);
