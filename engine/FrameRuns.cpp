// Runs of frames gathered into chunks of at most kMaxRunFrames.
#include "engine/FrameRuns.h"

#include "engine/ControlStage.h"
#include "engine/EnginePaths.h"
#include "engine/NoteFrame.h"

namespace {

void renderStages(ToneEngine& e, const OutputChannels<float>& out) {
  activeStages().renderFloat(e, out, e.stages.hostFrame);
}

void renderStages(ToneEngine& e, const OutputChannels<double>& out) {
  activeStages().renderDouble(e, out, e.stages.hostFrame);
}

template <typename Sample>
void renderChunk(ToneEngine& e, const OutputChannels<Sample>& out) {
  StageBuffers& b = e.stages;
  if (b.frames == 0) return;
  closeChunk(b);
  renderStages(e, out);
  b.frames = 0;
}

template <typename Sample>
void gather(ToneEngine& e, const OutputChannels<Sample>& out, int32_t from, int32_t to) {
  StageBuffers& b = e.stages;
  if (to - from == 1 && appendSteadyFrame(e)) {
    if (b.frames == kMaxRunFrames) renderChunk(e, out);
    return;
  }
  for (int32_t start = from; start < to;) {
    if (b.frames == 0) b.hostFrame = start;
    const int room = kMaxRunFrames - b.frames;
    const int frames = to - start < room ? static_cast<int>(to - start) : room;
    runControlStage(e, frames);
    start += frames;
    if (b.frames == kMaxRunFrames) renderChunk(e, out);
  }
}

// Runs of one frame between note events take the short way together while they can.
template <typename Sample>
void renderNotes(ToneEngine& e, const OutputChannels<Sample>& out, const NoteFrame* notes,
                 int32_t count, int32_t end) {
  for (int32_t i = 0; i < count;) {
    const int32_t appended = appendSteadyNoteFrames(e, notes + i, count - i, end);
    if (appended > 0) {
      i += appended;
      if (e.stages.frames == kMaxRunFrames) renderChunk(e, out);
      continue;
    }
    applyNoteFrame(e, notes[i]);
    gather(e, out, notes[i].frame, i + 1 < count ? notes[i + 1].frame : end);
    ++i;
  }
}

}  // namespace

void renderNoteFrames(ToneEngine& e, const OutputChannels<float>& out, const NoteFrame* notes,
                      int32_t count, int32_t end) {
  renderNotes(e, out, notes, count, end);
}

void renderNoteFrames(ToneEngine& e, const OutputChannels<double>& out, const NoteFrame* notes,
                      int32_t count, int32_t end) {
  renderNotes(e, out, notes, count, end);
}

void renderRun(ToneEngine& e, const OutputChannels<float>& out, int32_t from, int32_t to) {
  gather(e, out, from, to);
}

void renderRun(ToneEngine& e, const OutputChannels<double>& out, int32_t from, int32_t to) {
  gather(e, out, from, to);
}

void finishRuns(ToneEngine& e, const OutputChannels<float>& out) {
  renderChunk(e, out);
}

void finishRuns(ToneEngine& e, const OutputChannels<double>& out) {
  renderChunk(e, out);
}
