// One performance played through each build, VST 2, VST 3 or LV2, by our own hosts: the same
// MIDI on the same frames, in the same block layout and precision, so that the outputs can be
// compared sample by sample.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/host/HostedPlugin.h"

struct TimedMidi {
  int64_t frame;
  uint8_t status, data1, data2;
};

// A change of one parameter (by its VST 3 id, the VST 2 index) at a frame; the VST 2 driver applies
// the same value between two blocks, split at that frame.
struct TimedParameter {
  int64_t frame;
  int32_t id;
  float value;
};

struct Performance {
  double sampleRate = 48000.0;
  int32_t program = -1;  // a factory program (an LV2 preset by its name); -1 keeps the defaults
  Precision precision = Precision::Single;
  std::vector<int32_t> blocks;  // frames per processing call, repeated to the end
  int64_t frames = 0;
  std::vector<TimedMidi> midi;  // in frame order; controllers before notes on one frame
  std::vector<TimedParameter> parameters;
};

// Both channels in double precision, interleaved frame by frame; empty with a test failure
// recorded when the plug-in cannot be loaded.
std::vector<double> playVst2(const Performance& performance);
std::vector<double> playVst3(const Performance& performance);
// LV2 runs in single precision only and takes its controls between blocks: a double-precision
// performance or one with parameter changes is a test failure. Linux only (not built for
// Windows).
std::vector<double> playLv2(const Performance& performance);

// Samples that differ between two renders, a length difference counting as that many.
size_t differingSamples(const std::vector<double>& a, const std::vector<double>& b);

// Where the builds are, as the test programs see them.
std::string vst2Path();
std::string vst3BundlePath();
std::string lv2BundlePath();
