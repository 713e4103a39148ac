// Rendering through lilv: the instrument comes up, takes its preset, then plays block by
// block with each event on its frame, as the VST 2 path does.
#include "tools/render/Lv2Render.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/lv2host/Lv2Instrument.h"
#include "tools/render/EventSchedule.h"
#include "tools/render/MidiClock.h"
#include "tools/render/MidiFile.h"
#include "tools/render/RenderLoop.h"

namespace {

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
  if (summary.channels == 0) {
    error = options.pluginPath + " has no audio output";
    return false;
  }

  std::vector<const float*> channels;
  for (int32_t c = 0; c < instrument.outputCount(); ++c)
    channels.push_back(instrument.output(c));
  size_t next = 0;
  RenderSteps steps;
  steps.start = [&] { instrument.activate(); };
  steps.block = [&](uint64_t start, int32_t frames, RenderSink& sink) {
    for (; next < events.size() && events[next].frame < start + frames; ++next)
      instrument.addMidi(static_cast<uint32_t>(events[next].frame - start), events[next].bytes,
                         events[next].size);
    sink.timed([&] { instrument.run(static_cast<uint32_t>(frames)); });
    return sink.write(channels, frames);
  };
  steps.finish = [&](std::string&) {
    instrument.deactivate();
    return true;
  };
  return playAndWrite(options, summary, steps, error);
}
