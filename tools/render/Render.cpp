// The render: read and schedule the MIDI file, open the output, bring up the plug-in, then
// feed it block by block (events first, each stamped with its frame inside the block),
// write what it plays, and shut it down in the host's order.
#include "tools/render/Render.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "tools/host/CrashGuard.h"
#include "tools/host/EventBlock.h"
#include "tools/render/EventSchedule.h"
#include "tools/render/MidiClock.h"
#include "tools/render/MidiFile.h"
#include "tools/render/PluginSetup.h"
#include "tools/render/RenderLoop.h"

namespace {

// Events handed over per effProcessEvents call; a block with more gets several calls.
constexpr size_t kEventsPerCall = 1024;
constexpr int32_t kReportedNoTail = 1;  // plug-ins answer 1 for "no tail", 0 for "unknown"
constexpr int32_t kDefaultBeatsPerBar = 4;

// An unwritable state file is found before the render rather than after it.
bool checkStateWritable(const std::string& path, std::string& error) {
  if (path.empty()) return true;
  std::FILE* existing = std::fopen(path.c_str(), "rb");
  if (existing != nullptr) std::fclose(existing);
  std::FILE* probe = std::fopen(path.c_str(), "ab");
  if (probe == nullptr) {
    error = "cannot write the state file " + path;
    return false;
  }
  std::fclose(probe);
  if (existing == nullptr) std::remove(path.c_str());
  return true;
}

template <typename Plugin>
uint64_t tailFrames(const RenderOptions& options, Plugin& plugin, TailSource& source) {
  if (options.tailSeconds) {
    source = TailSource::Option;
    return static_cast<uint64_t>(std::llround(*options.tailSeconds * options.sampleRate));
  }
  const int32_t reported = plugin.tailFrames();
  if (reported == 0) {
    source = TailSource::Fallback;
    return static_cast<uint64_t>(std::llround(kFallbackTailSeconds * options.sampleRate));
  }
  source = TailSource::Plugin;
  return reported == kReportedNoTail ? 0 : static_cast<uint64_t>(reported);
}

void updateTransport(VstTimeInfo& time, const MidiClock& clock, uint64_t frame) {
  time.samplePos = static_cast<double>(frame);
  time.ppqPos = clock.quarterAt(frame);
  time.tempo = clock.tempoAt(frame);
  time.barStartPos = std::floor(time.ppqPos / kDefaultBeatsPerBar) * kDefaultBeatsPerBar;
  time.timeSigNumerator = kDefaultBeatsPerBar;
  time.timeSigDenominator = 4;
  time.flags =
      kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
}

// Hands a block's events to the plug-in, in calls of at most kEventsPerCall, then plays it.
template <typename Plugin>
class BlockRenderer {
 public:
  BlockRenderer(Plugin& plugin, const std::vector<ScheduledEvent>& events)
      : plugin_(plugin), events_(events), block_(kEventsPerCall) {
    for (int32_t c = 0; c < plugin.outputCount(); ++c) {
      floatChannels_.push_back(plugin.floatOutput(c));
      doubleChannels_.push_back(plugin.doubleOutput(c));
    }
  }

  // Renders frames [start, start + frames); false when the output cannot be written.
  bool render(uint64_t start, int32_t frames, RenderSink& sink) {
    const uint64_t end = start + static_cast<uint64_t>(frames);
    for (; next_ < events_.size() && events_[next_].frame < end; ++next_) {
      const ScheduledEvent& e = events_[next_];
      if (block_.full()) flushEvents(sink);
      block_.add(static_cast<int32_t>(e.frame - start), e.bytes, e.size);
    }
    flushEvents(sink);
    sink.timed([&] { plugin_.process(frames); });
    return plugin_.precision() == Precision::Double ? sink.write(doubleChannels_, frames)
                                                    : sink.write(floatChannels_, frames);
  }

 private:
  void flushEvents(RenderSink& sink) {
    if (block_.empty()) return;
    sink.timed([&] { plugin_.sendEvents(block_); });
    block_.clear();
  }

  Plugin& plugin_;
  const std::vector<ScheduledEvent>& events_;
  EventBlock block_;
  std::vector<const float*> floatChannels_;  // the plug-in's outputs in the chosen precision
  std::vector<const double*> doubleChannels_;
  size_t next_ = 0;
};

// The render through a plug-in of either format, loaded as `Loaded` holds it.
template <typename Loaded>
bool renderWith(const RenderOptions& options, RenderSummary& summary, std::string& error) {
  MidiFile midi;
  if (!readMidiFile(options.midiPath, midi, error)) return false;
  const MidiClock clock(midi, options.sampleRate);
  const std::vector<ScheduledEvent> events = scheduleEvents(midi, clock);
  if (!checkStateWritable(options.saveState, error)) return false;

  Loaded loaded;
  if (!openPlugin(options, loaded, error)) return false;
  auto& plugin = loaded.plugin;
  if (!applySettings(options, plugin, error)) return false;

  summary = RenderSummary{};
  summary.pluginPath = options.pluginPath;
  summary.identity = plugin.identity();
  summary.program = plugin.currentProgram();
  summary.programName = plugin.currentProgramName();
  summary.sampleRate = options.sampleRate;
  summary.channels = plugin.outputCount();
  summary.eventCount = events.size();
  summary.tailFrames = tailFrames(options, plugin, summary.tailSource);
  summary.frames = (events.empty() ? 0 : events.back().frame + 1) + summary.tailFrames;

  BlockRenderer<std::remove_reference_t<decltype(plugin)>> renderer(plugin, events);
  RenderSteps steps;
  steps.start = [&] { plugin.resume(); };
  steps.block = [&](uint64_t start, int32_t frames, RenderSink& sink) {
    updateTransport(plugin.context().timeInfo, clock, start);
    return renderer.render(start, frames, sink);
  };
  steps.finish = [&](std::string& failure) {
    plugin.suspend();
    if (!options.saveState.empty() && !saveState(options, plugin, failure)) return false;
    plugin.close();
    return true;
  };
  return playAndWrite(options, summary, steps, error);
}

}  // namespace

bool renderMidiFile(const RenderOptions& options, RenderSummary& summary, std::string& error) {
  return isVst3Path(options.pluginPath) ? renderWith<LoadedVst3Plugin>(options, summary, error)
                                        : renderWith<LoadedPlugin>(options, summary, error);
}
