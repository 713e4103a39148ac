// Rendering through lilv: the instrument comes up, takes its preset, then plays block by
// block with each event on its frame, as the VST 2 path does.
#include "tools/render/Lv2Render.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "tools/lv2host/Lv2Instrument.h"
#include "tools/render/EventSchedule.h"
#include "tools/render/LevelMeter.h"
#include "tools/render/MidiClock.h"
#include "tools/render/MidiFile.h"
#include "tools/render/PartialOutput.h"
#include "tools/render/ProgressBar.h"
#include "tools/render/WavWriter.h"

namespace {

using Clock = std::chrono::steady_clock;

// What only a VST 2 plug-in offers is refused rather than ignored.
bool checkOptions(const RenderOptions& options, std::string& error) {
  if (options.precision == Precision::Double || !options.loadState.empty() ||
      !options.saveState.empty() || !options.settings.empty()) {
    error = "--lv2 takes no --precision double, state files or parameter settings";
    return false;
  }
  return true;
}

bool openInstrument(const RenderOptions& options, Lv2Instrument& instrument, std::string& error) {
  if (!instrument.open(options.pluginPath, options.sampleRate, options.blockSize)) {
    error = instrument.error();
    return false;
  }
  if (!options.program.empty() && !instrument.applyPreset(options.program)) {
    error = options.pluginPath + " has no preset \"" + options.program + "\"";
    return false;
  }
  return true;
}

}  // namespace

bool describeLv2Plugin(const RenderOptions& options, std::string& text, std::string& error) {
  Lv2Instrument instrument;
  if (!openInstrument(options, instrument, error)) return false;
  text = instrument.name() + " (" + options.pluginPath + ")\npresets:\n";
  for (const std::string& label : instrument.presetLabels())
    text += "  " + label + "\n";
  return true;
}

bool renderLv2File(const RenderOptions& options, RenderSummary& summary, std::string& error) {
  if (!checkOptions(options, error)) return false;
  MidiFile midi;
  if (!readMidiFile(options.midiPath, midi, error)) return false;
  const MidiClock clock(midi, options.sampleRate);
  const std::vector<ScheduledEvent> events = scheduleEvents(midi, clock);
  Lv2Instrument instrument;
  if (!openInstrument(options, instrument, error)) return false;

  summary = RenderSummary{};
  summary.pluginPath = options.pluginPath;
  summary.identity.effectName = instrument.name();
  summary.programName = options.program;
  summary.sampleRate = options.sampleRate;
  summary.channels = instrument.outputCount();
  summary.eventCount = events.size();
  summary.tailSource = options.tailSeconds ? TailSource::Option : TailSource::Fallback;
  const double tail = options.tailSeconds ? *options.tailSeconds : kFallbackTailSeconds;
  summary.tailFrames = static_cast<uint64_t>(std::llround(tail * options.sampleRate));
  summary.frames = (events.empty() ? 0 : events.back().frame + 1) + summary.tailFrames;
  if (summary.seconds() > options.maxSeconds) {
    error = options.midiPath + ": the render would last longer than --max-length allows";
    return false;
  }
  if (summary.channels == 0) {
    error = options.pluginPath + " has no audio output";
    return false;
  }

  PartialOutput output(options.outputPath);
  WavWriter writer;
  const auto writeFailed = [&] {
    error = "cannot write " + options.outputPath + ": " + writer.reason();
    return false;
  };
  if (!writer.open(output.path(), summary.channels, options.sampleRate, options.format))
    return writeFailed();

  std::vector<const float*> channels;
  for (int32_t c = 0; c < instrument.outputCount(); ++c)
    channels.push_back(instrument.output(c));
  LevelMeter meter;
  ProgressBar progress(!options.quiet);
  Clock::duration processing{};
  size_t next = 0;
  instrument.activate();
  for (uint64_t done = 0; done < summary.frames;) {
    const auto frames =
        static_cast<int32_t>(std::min<uint64_t>(options.blockSize, summary.frames - done));
    for (; next < events.size() && events[next].frame < done + frames; ++next)
      instrument.addMidi(static_cast<uint32_t>(events[next].frame - done), events[next].bytes,
                         events[next].size);
    const Clock::time_point begin = Clock::now();
    instrument.run(static_cast<uint32_t>(frames));
    processing += Clock::now() - begin;
    meter.add(channels.data(), static_cast<int>(channels.size()), frames);
    if (!writer.write(channels.data(), frames)) return writeFailed();
    done += static_cast<uint64_t>(frames);
    progress.update(done, summary.frames);
  }
  instrument.deactivate();
  if (!writer.close()) return writeFailed();
  if (!output.commit(error)) return false;
  summary.peak = meter.peak();
  summary.rms = meter.rms();
  summary.processingSeconds = std::chrono::duration<double>(processing).count();
  summary.clippedSamples = writer.clippedSamples();
  summary.nonFiniteSamples = writer.nonFiniteSamples();
  return true;
}
