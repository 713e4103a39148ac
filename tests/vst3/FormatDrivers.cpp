// Playing a performance through each build.
#include "tests/vst3/FormatDrivers.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tools/host/EventBlock.h"
#include "tools/host/PluginModule.h"
#include "tools/host/Vst3Plugin.h"

std::string vst2Path() {
  return BRISALONDE_PLUGIN_PATH;
}

std::string vst3BundlePath() {
  return BRISALONDE_VST3_BUNDLE_PATH;
}

namespace {

int32_t largestBlock(const Performance& p) {
  const int32_t largest = *std::max_element(p.blocks.begin(), p.blocks.end());
  return std::max(largest, 1);
}

// Calls `play(start, frames)` for each block, its events and parameters being those with
// start <= frame < start + frames; a parameter inside a block splits it there.
template <typename Block>
void forEachBlock(const Performance& p, Block&& play) {
  int64_t start = 0;
  size_t next = 0;
  while (start < p.frames) {
    int64_t frames = std::min<int64_t>(p.blocks[next++ % p.blocks.size()], p.frames - start);
    play(start, static_cast<int32_t>(frames));
    start += frames;
  }
}

template <typename Sample>
void append(std::vector<double>& out, const Sample* samples, int32_t frames) {
  for (int32_t i = 0; i < frames; ++i)
    out.push_back(static_cast<double>(samples[i]));
}

}  // namespace

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
        append(out, plugin.doubleOutput(0), piece);
      } else {
        append(out, plugin.floatOutput(0), piece);
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
      append(out, plugin.doubleOutput(0), frames);
    } else {
      append(out, plugin.floatOutput(0), frames);
    }
  });
  plugin.suspend();
  return out;
}
