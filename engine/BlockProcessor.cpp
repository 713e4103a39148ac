// Block rendering and engine resets.
#include "engine/BlockProcessor.h"

#include <bit>
#include <cstdint>

#include "engine/FrameRuns.h"
#include "engine/NoteLogic.h"

namespace {

// Copies the parameter store; the voice re-derives its settings only when a value changed.
void copyParams(ToneEngine& e, const ParamStore* paramValues) {
  voice::ParamSet changed = 0;
  for (int i = 0; i < kNumParams; ++i) {
    const double v = paramValues[i].load(std::memory_order_relaxed);
    if (std::bit_cast<uint64_t>(v) != std::bit_cast<uint64_t>(e.blockParams[i]))
      changed |= voice::ParamSet{1} << i;
    e.blockParams[i] = v;
  }
  if (changed != 0) markParamsChanged(e, changed);
}

template <typename Sample>
OutputChannels<Sample> channelsOf(Sample** outputs, bool accumulate) {
  if (outputs == nullptr) return {nullptr, nullptr, accumulate};
  return {outputs[0], outputs[1], accumulate};
}

// Frames whose note state the note events work out before the voice renders them.
constexpr int32_t kNoteFramesAhead = 128;

// Renders the block in runs between events, applying the events of a frame together just
// before it; the runs' vector stages go over chunks of them together. The note events of
// many frames are worked through first, then their frames rendered.
template <typename Sample>
void renderBlock(ToneEngine& e, MidiEventQueue& queue, const ParamStore* paramValues,
                 int32_t frames, const OutputChannels<Sample>& out) {
  if (frames < 0) return;
  copyParams(e, paramValues);
  if (queue.count > 0) sortQueue(queue);
  // Handling an event leaves the queue alone, so its count and records can be held here.
  const QueuedMidiEvent* events = queue.events;
  const int32_t count = queue.count;
  NoteFrame notes[kNoteFramesAhead];
  int32_t next = 0;
  for (int32_t j = 0; j < frames;) {
    if (next < count && events[next].frame <= j) {
      const NoteFrames taken =
          selectNoteFrames(e, events + next, count - next, frames, notes, kNoteFramesAhead);
      if (taken.frames > 0) {
        next += taken.events;
        const int32_t end =
            next < count && events[next].frame < frames ? events[next].frame : frames;
        renderNoteFrames(e, out, notes, taken.frames, end);
        j = end;
        continue;
      }
      next += handleFrameEvents(e, events + next, count - next);
    }
    const int32_t runEnd =
        next < count && events[next].frame < frames ? events[next].frame : frames;
    renderRun(e, out, j, runEnd);
    j = runEnd;
  }
  finishRuns(e, out);
  carryOver(queue, next, frames);
}

}  // namespace

void processBlock(ToneEngine& e, MidiEventQueue& queue, const ParamStore* paramValues,
                  float** outputs, int32_t frames, bool accumulate) {
  renderBlock(e, queue, paramValues, frames, channelsOf(outputs, accumulate));
}

void processBlockDouble(ToneEngine& e, MidiEventQueue& queue, const ParamStore* paramValues,
                        double** outputs, int32_t frames) {
  renderBlock(e, queue, paramValues, frames, channelsOf(outputs, false));
}

void resetEngine(ToneEngine& e, MidiEventQueue& queue, const ParamStore* paramValues,
                 bool clearQueue) {
  copyParams(e, paramValues);
  for (int i = 0; i < kNumParams; ++i)
    e.smoothParams[i] = e.blockParams[i];
  markParamsChanged(e);
  silenceVoice(e);
  if (clearQueue) queue.count = 0;
}

void setSampleRate(ToneEngine& e, MidiEventQueue& queue, const ParamStore* paramValues,
                   double rate) {
  e.sampleRate = rate < 8000.0 ? 8000.0 : rate;
  adoptSampleRate(e);
  resetEngine(e, queue, paramValues, false);
}
