// The first stage of a run of frames, scalar and the same for every vector form: for each
// frame the parameter smoothing, the glided pitch, the envelope, vibrato and tremolo, the
// oscillator increment and both oversampled phases, written into engine.stages.
#pragma once

struct ToneEngine;

// Advances the voice's control state by `frames` frames (1 to kMaxRunFrames) and fills the
// stage arrays for them. The oscillator bank, the decimator and the output stage follow.
void runControlStage(ToneEngine& engine, int frames);
