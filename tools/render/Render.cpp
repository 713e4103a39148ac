// The render: read and schedule the MIDI file, open the output, bring up the plug-in, then
// feed it block by block (events first, each stamped with its frame inside the block),
// write what it plays, and shut it down in the host's order.
#include "tools/render/Render.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "tools/host/CrashGuard.h"
#include "tools/host/EventBlock.h"
#include "tools/render/EventSchedule.h"
#include "tools/render/LevelMeter.h"
#include "tools/render/MidiClock.h"
#include "tools/render/MidiFile.h"
#include "tools/render/PartialOutput.h"
#include "tools/render/PluginSetup.h"
#include "tools/render/ProgressBar.h"
#include "tools/render/WavWriter.h"

namespace {

// Events handed over per effProcessEvents call; a block with more gets several calls.
constexpr size_t kEventsPerCall = 1024;
constexpr int32_t kReportedNoTail = 1;  // plug-ins answer 1 for "no tail", 0 for "unknown"
constexpr int32_t kDefaultBeatsPerBar = 4;

using Clock = std::chrono::steady_clock;

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

template <typename Plugin>
class BlockRenderer {
 public:
  BlockRenderer(Plugin& plugin, WavWriter& writer, const std::vector<ScheduledEvent>& events)
      : plugin_(plugin), writer_(writer), events_(events), block_(kEventsPerCall) {
    for (int32_t c = 0; c < plugin.outputCount(); ++c) {
      floatChannels_.push_back(plugin.floatOutput(c));
      doubleChannels_.push_back(plugin.doubleOutput(c));
    }
  }

  // Renders frames [start, start + frames); false when the output cannot be written.
  bool render(uint64_t start, int32_t frames) {
    const uint64_t end = start + static_cast<uint64_t>(frames);
    for (; next_ < events_.size() && events_[next_].frame < end; ++next_) {
      const ScheduledEvent& e = events_[next_];
      if (block_.full()) flushEvents();
      block_.add(static_cast<int32_t>(e.frame - start), e.bytes, e.size);
    }
    flushEvents();
    timed([&] { plugin_.process(frames); });
    return plugin_.precision() == Precision::Double ? emit(doubleChannels_, frames)
                                                    : emit(floatChannels_, frames);
  }

  double processingSeconds() const { return std::chrono::duration<double>(processing_).count(); }
  const LevelMeter& meter() const { return meter_; }

 private:
  // Only the plug-in's own calls count towards the processing time.
  template <typename Call>
  void timed(Call&& call) {
    const Clock::time_point begin = Clock::now();
    call();
    processing_ += Clock::now() - begin;
  }
  void flushEvents() {
    if (block_.empty()) return;
    timed([&] { plugin_.sendEvents(block_); });
    block_.clear();
  }
  template <typename Sample>
  bool emit(const std::vector<const Sample*>& channels, int32_t frames) {
    meter_.add(channels.data(), static_cast<int>(channels.size()), frames);
    return writer_.write(channels.data(), frames);
  }

  Plugin& plugin_;
  WavWriter& writer_;
  const std::vector<ScheduledEvent>& events_;
  EventBlock block_;
  std::vector<const float*> floatChannels_;  // the plug-in's outputs in the chosen precision
  std::vector<const double*> doubleChannels_;
  size_t next_ = 0;
  Clock::duration processing_{};
  LevelMeter meter_;
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

  if (summary.seconds() > options.maxSeconds) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "the render would last %.1f s, more than the %.0f s allowed "
                  "(--max-length)",
                  summary.seconds(), options.maxSeconds);
    error = options.midiPath + ": " + text;
    return false;
  }
  const uint64_t dataBytes = summary.frames * static_cast<uint64_t>(summary.channels) *
                             WavWriter::bytesPerSample(options.format);
  if (dataBytes > WavWriter::kMaxDataBytes) {
    error =
        "cannot write " + options.outputPath + ": the audio exceeds the 4 GiB a WAV file can hold";
    return false;
  }

  PartialOutput output(options.outputPath);  // outlives the writer, which closes it first
  WavWriter writer;
  const auto writeFailed = [&] {
    error = "cannot write " + options.outputPath + ": " + writer.reason();
    return false;
  };
  if (!writer.open(output.path(), summary.channels, options.sampleRate, options.format))
    return writeFailed();

  BlockRenderer<std::remove_reference_t<decltype(plugin)>> renderer(plugin, writer, events);
  ProgressBar progress(!options.quiet);
  plugin.resume();
  for (uint64_t done = 0; done < summary.frames;) {
    const auto frames =
        static_cast<int32_t>(std::min<uint64_t>(options.blockSize, summary.frames - done));
    updateTransport(plugin.context().timeInfo, clock, done);
    if (!renderer.render(done, frames)) return writeFailed();
    done += static_cast<uint64_t>(frames);
    progress.update(done, summary.frames);
  }
  plugin.suspend();

  if (!options.saveState.empty() && !saveState(options, plugin, error)) return false;
  plugin.close();
  if (!writer.close()) return writeFailed();
  if (!output.commit(error)) return false;
  summary.peak = renderer.meter().peak();
  summary.rms = renderer.meter().rms();
  summary.processingSeconds = renderer.processingSeconds();
  summary.clippedSamples = writer.clippedSamples();
  summary.nonFiniteSamples = writer.nonFiniteSamples();
  return true;
}

}  // namespace

bool renderMidiFile(const RenderOptions& options, RenderSummary& summary, std::string& error) {
  return isVst3Path(options.pluginPath) ? renderWith<LoadedVst3Plugin>(options, summary, error)
                                        : renderWith<LoadedPlugin>(options, summary, error);
}
