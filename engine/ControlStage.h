// The first stage of a run of frames, scalar: for each frame the parameter smoothing (of the
// values that still move), the glided pitch, the envelope, vibrato and tremolo, the
// oscillator increment and both oversampled phases, written into engine.stages; a chunk that
// is one steady stretch leaves its phases to the oscillator bank. The vibrato's ratios alone
// are evaluated in the lanes of the vector form in use.
#pragma once

#include <cstdint>

struct ToneEngine;

// Advances the voice's control state by `frames` frames and appends them to the chunk in the
// stage arrays, which holds at most kMaxRunFrames: runs between events gather there, so that
// the oscillator bank, the decimator and the output stage go over the whole chunk at once.
void runControlStage(ToneEngine& engine, int frames);

// The same for one frame, the short way, when the chunk has begun with the settings held and
// the pitch is steady, with neither vibrato, tremolo nor glide: events on every frame make
// every run one frame long. False, and nothing done, otherwise.
bool appendSteadyFrame(ToneEngine& engine);

// The same for the leading `notes` (of `count`) whose run is one frame long, up to the frame
// that the next begins with or `end`, and as many as the chunk has room for, the voice
// taking over each one's note state first: the short way for runs between note events on
// consecutive frames. Returns how many it appended: 0 where the short way does not apply.
struct NoteFrame;
int32_t appendSteadyNoteFrames(ToneEngine& engine, const NoteFrame* notes, int32_t count,
                               int32_t end);

// Pads the arrays after the chunk's last frame for the vector stages that follow.
struct StageBuffers;
void closeChunk(StageBuffers& stages);
