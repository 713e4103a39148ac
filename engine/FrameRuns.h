// Rendering runs of frames into the host's buffers, stage by stage: the scalar control stage
// for each run between events, then, for a chunk of up to kMaxRunFrames gathered from such
// runs, the oscillator bank, the decimator and the output stage in the vector form chosen at
// load time (engine/EnginePaths.h). Short runs between close events thus share the vector
// stages' work.
#pragma once

#include <cstdint>

#include "engine/OutputChannels.h"
#include "engine/ToneEngine.h"

// Renders frames [from, to) of the block, writing each sample to both channels; a chunk that
// is not full yet may wait for the next run or for finishRuns.
void renderRun(ToneEngine& engine, const OutputChannels<float>& out, int32_t from, int32_t to);
void renderRun(ToneEngine& engine, const OutputChannels<double>& out, int32_t from, int32_t to);

// Renders frames [notes[0].frame, end) of the block, the voice taking over the note state of
// each of the `count` notes just before its frame; runs between them as renderRun.
struct NoteFrame;
void renderNoteFrames(ToneEngine& engine, const OutputChannels<float>& out, const NoteFrame* notes,
                      int32_t count, int32_t end);
void renderNoteFrames(ToneEngine& engine, const OutputChannels<double>& out, const NoteFrame* notes,
                      int32_t count, int32_t end);

// Renders what waits of the block; to be called before the block returns.
void finishRuns(ToneEngine& engine, const OutputChannels<float>& out);
void finishRuns(ToneEngine& engine, const OutputChannels<double>& out);
