// The render tool's command line: what to render, through which plug-in, and how.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/host/HostedPlugin.h"
#include "tools/render/WavWriter.h"

struct ParameterSetting {
  std::string name;  // as typed: a number or a name
  std::string value;
  bool normalized = false;  // value is 0..1 rather than text in the parameter's own units
};

struct RenderOptions {
  std::string pluginPath;  // empty: the instrument found beside the program
  std::string midiPath;
  std::string outputPath;
  uint32_t sampleRate = 48000;
  int32_t blockSize = 512;
  std::string program;  // number or name; empty keeps the plug-in's own
  std::string loadState;
  std::string saveState;
  std::vector<ParameterSetting> settings;
  Precision precision = Precision::Single;
  SampleFormat format = SampleFormat::Int24;
  std::optional<double> tailSeconds;  // empty: the plug-in's reported tail
  double maxSeconds = 3600.0;
  bool quiet = false;
  bool list = false;
  bool help = false;
  bool lv2 = false;  // pluginPath is an LV2 plug-in's URI, and --program names a preset
};

constexpr uint32_t kMinSampleRate = 8000;
constexpr uint32_t kMaxSampleRate = 768000;
// Used when the plug-in reports no tail of its own.
constexpr double kFallbackTailSeconds = 2.0;

// Parses the arguments after the program name. On failure returns false and `error` says
// which argument is wrong.
bool parseRenderOptions(const std::vector<std::string>& args, RenderOptions& options,
                        std::string& error);

std::string renderUsage();
