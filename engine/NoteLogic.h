// Turning MIDI events into the voice's note state: the note table, last-note priority,
// sustain pedal, pitch bend and modulation wheel.
#pragma once

#include <cstdint>

#include "engine/MidiEventQueue.h"
#include "engine/NoteFrame.h"
#include "engine/ToneEngine.h"

// Applies the leading events of `events` that have the first one's frame, in order, and then
// selects the sounding note: the voice reads the note state between frames only, so the
// selection waits for the frame's last event. Returns how many events it applied.
int32_t handleFrameEvents(ToneEngine& engine, const QueuedMidiEvent* events, int32_t count);

// Works through the events of the frames from the first one's up to `endFrame` (excluded)
// without the voice, which reads the note state only: each frame's selection goes to `frames`,
// which holds `capacity`, for the voice to take over when it renders that frame. Stops before
// an event that changes the voice otherwise (a pitch bend, the modulation wheel's or the
// reset's controller, or any while no note has set the glide's start), which the frames
// before it must not hear; that event's frame may then have a selection already, for the
// events before it. Returns how many events and frames it took.
struct NoteFrames {
  int32_t events;
  int32_t frames;
};
NoteFrames selectNoteFrames(ToneEngine& engine, const QueuedMidiEvent* events, int32_t count,
                            int32_t endFrame, NoteFrame* frames, int32_t capacity);

// One event as a frame of its own.
inline void handleMidiEvent(ToneEngine& engine, const QueuedMidiEvent& event) {
  handleFrameEvents(engine, &event, 1);
}
