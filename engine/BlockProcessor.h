// The engine's face toward the host's audio thread: block rendering and the resets.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/MidiEventQueue.h"
#include "engine/ToneEngine.h"

using ParamStore = std::atomic<double>;  // one element of the shared parameter store

void processBlock(ToneEngine& engine, MidiEventQueue& queue, const ParamStore* paramValues,
                  float** outputs, int32_t frames, bool accumulate);
void processBlockDouble(ToneEngine& engine, MidiEventQueue& queue, const ParamStore* paramValues,
                        double** outputs, int32_t frames);

// Starts the voice from silence; the queue is emptied when clearQueue is set.
void resetEngine(ToneEngine& engine, MidiEventQueue& queue, const ParamStore* paramValues,
                 bool clearQueue);

// Adopts an accepted host rate (never below 8000 Hz) and resets, keeping the queue.
void setSampleRate(ToneEngine& engine, MidiEventQueue& queue, const ParamStore* paramValues,
                   double rate);
