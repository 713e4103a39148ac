// One render: a MIDI file played through a VST 2 plug-in into a WAV file, and what it
// measured along the way.
#pragma once

#include <cstdint>
#include <string>

#include "tools/host/HostedPlugin.h"
#include "tools/render/RenderOptions.h"

enum class TailSource { Option, Plugin, Fallback };

struct RenderSummary {
  std::string pluginPath;
  PluginIdentity identity;
  int32_t program = -1;
  std::string programName;
  uint32_t sampleRate = 0;
  int channels = 0;
  size_t eventCount = 0;
  uint64_t frames = 0;
  uint64_t tailFrames = 0;
  TailSource tailSource = TailSource::Plugin;
  double peak = 0.0;  // linear, over all channels
  double rms = 0.0;
  double processingSeconds = 0.0;  // inside effProcessEvents and the processing calls only
  uint64_t clippedSamples = 0;
  uint64_t nonFiniteSamples = 0;

  double seconds() const {
    return sampleRate == 0 ? 0.0 : static_cast<double>(frames) / sampleRate;
  }
  double realtimeFactor() const {
    return processingSeconds > 0.0 ? seconds() / processingSeconds : 0.0;
  }
};

// Renders options.midiPath into options.outputPath through options.pluginPath. On failure
// returns false, `error` says what failed, and no partial output file is left behind.
bool renderMidiFile(const RenderOptions& options, RenderSummary& summary, std::string& error);

// Describes the plug-in's identity, programs and parameters, for --list.
bool describePlugin(const RenderOptions& options, std::string& text, std::string& error);
