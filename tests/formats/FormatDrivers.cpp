// Playing a performance through the VST 2 and VST 3 builds.
#include "tests/formats/FormatDrivers.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/formats/BlockLayout.h"
#include "tools/host/EventBlock.h"
#include "tools/host/PluginModule.h"
#include "tools/host/Vst3Plugin.h"

std::string vst2Path() {
  return BRISALONDE_PLUGIN_PATH;
}

std::string vst3BundlePath() {
  return BRISALONDE_VST3_BUNDLE_PATH;
}

size_t differingSamples(const std::vector<double>& a, const std::vector<double>& b) {
  size_t count = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    if (a[i] != b[i]) ++count;
  return count;
}

std::vector<double> playVst2(const Performance& p) {
  std::vector<double> out;
  PluginModule module;
  HostedPlugin plugin;
  if (!module.load(vst2Path()) || !plugin.create(module) ||
      !plugin.configure(p.sampleRate, largestBlock(p), p.precision)) {
    ADD_FAILURE() << "VST 2: " << module.error() << plugin.error();
    return out;
  }
  if (p.program >= 0) plugin.setProgram(p.program);
  plugin.resume();
  EventBlock events;
  size_t midi = 0;
  size_t parameter = 0;
  forEachBlock(p, [&](int64_t start, int32_t frames) {
    // VST 2 takes parameters between blocks: the block is played in pieces split at them.
    int64_t at = start;
    const int64_t end = start + frames;
    while (at < end || (frames == 0 && at == start)) {
      while (parameter < p.parameters.size() && p.parameters[parameter].frame <= at) {
        plugin.setParameter(p.parameters[parameter].id, p.parameters[parameter].value);
        ++parameter;
      }
      int64_t pieceEnd = end;
      if (parameter < p.parameters.size() && p.parameters[parameter].frame < end)
        pieceEnd = p.parameters[parameter].frame;
      const auto piece = static_cast<int32_t>(pieceEnd - at);
      events.clear();
      for (; midi < p.midi.size() && p.midi[midi].frame < pieceEnd; ++midi) {
        const TimedMidi& m = p.midi[midi];
        events.add(static_cast<int32_t>(m.frame - at), m.status, m.data1, m.data2);
      }
      if (!events.empty()) plugin.sendEvents(events);
      plugin.process(piece);
      if (p.precision == Precision::Double) {
        appendFrames(out, plugin.doubleOutput(0), plugin.doubleOutput(1), piece);
      } else {
        appendFrames(out, plugin.floatOutput(0), plugin.floatOutput(1), piece);
      }
      at = pieceEnd;
      if (frames == 0) break;
    }
  });
  plugin.suspend();
  return out;
}

std::vector<double> playVst3(const Performance& p) {
  std::vector<double> out;
  Vst3Module module;
  Vst3Plugin plugin;
  if (!module.load(vst3BundlePath()) || !plugin.create(module) ||
      !plugin.configure(p.sampleRate, largestBlock(p), p.precision)) {
    ADD_FAILURE() << "VST 3: " << module.error() << plugin.error();
    return out;
  }
  if (p.program >= 0) plugin.setProgram(p.program);
  plugin.resume();
  size_t midi = 0;
  size_t parameter = 0;
  forEachBlock(p, [&](int64_t start, int32_t frames) {
    const int64_t end = start + frames;
    for (; midi < p.midi.size() && p.midi[midi].frame < end; ++midi) {
      const TimedMidi& m = p.midi[midi];
      const uint8_t bytes[3] = {m.status, m.data1, m.data2};
      plugin.addMidi(static_cast<int32_t>(m.frame - start), bytes, 3);
    }
    for (; parameter < p.parameters.size() && p.parameters[parameter].frame < end; ++parameter) {
      const TimedParameter& t = p.parameters[parameter];
      plugin.queueParameter(static_cast<vst3::ParamID>(t.id), static_cast<int32_t>(t.frame - start),
                            t.value);
    }
    plugin.process(frames);
    if (p.precision == Precision::Double) {
      appendFrames(out, plugin.doubleOutput(0), plugin.doubleOutput(1), frames);
    } else {
      appendFrames(out, plugin.floatOutput(0), plugin.floatOutput(1), frames);
    }
  });
  plugin.suspend();
  return out;
}
