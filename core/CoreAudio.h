// The core on the audio side: sample rate, reset and block rendering, each in the engine's
// floating-point mode where it renders.
#pragma once

#include <cstdint>

struct InstrumentCore;

constexpr double kMinSampleRate = 8000.0;
constexpr double kMaxSampleRate = 768000.0;
// How long the voice can still sound after its last note, reported to hosts as the tail.
constexpr double kTailSeconds = 5.1;

// Adopts a rate from kMinSampleRate to kMaxSampleRate and resets the voice, keeping the queue;
// false, and nothing changes, for any other rate (or a non-finite one).
bool acceptSampleRate(InstrumentCore& core, double rate);

// Starts the voice from silence and empties the event queue.
void resetCore(InstrumentCore& core);

// Renders `frames` frames into the two channels (added to them when `accumulate` is set),
// taking the queued events on their frames.
void renderFloat(InstrumentCore& core, float** outputs, int32_t frames, bool accumulate);
void renderDouble(InstrumentCore& core, double** outputs, int32_t frames);
