// Turning MIDI events into the voice's note state: the 2048-slot note table, last-note
// priority, sustain pedal, pitch bend and modulation wheel.
#pragma once

#include "engine/MidiEventQueue.h"
#include "engine/ToneEngine.h"

// Applies one event; runs on the processing thread, between frames.
void handleMidiEvent(ToneEngine& engine, const QueuedMidiEvent& event);

// Selects the newest held (or, with the pedal down, sustained) note; releases when none.
void pickCurrentSlot(ToneEngine& engine);
