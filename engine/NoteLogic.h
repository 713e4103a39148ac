// Turning MIDI events into the voice's note state: the note table, last-note priority,
// sustain pedal, pitch bend and modulation wheel.
#pragma once

#include <cstdint>

#include "engine/MidiEventQueue.h"
#include "engine/ToneEngine.h"

// Applies the leading events of `events` that have the first one's frame, in order, and then
// selects the sounding note: the voice reads the note state between frames only, so the
// selection waits for the frame's last event. Returns how many events it applied.
int32_t handleFrameEvents(ToneEngine& engine, const QueuedMidiEvent* events, int32_t count);

// One event as a frame of its own.
inline void handleMidiEvent(ToneEngine& engine, const QueuedMidiEvent& event) {
  handleFrameEvents(engine, &event, 1);
}
