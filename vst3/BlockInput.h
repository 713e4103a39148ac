// What one processing call brings besides audio, made ready for the core: notes and mapped
// controllers become MIDI events on their frames, and the points of the other parameters
// wait in frame order for the block to be split at them.
#pragma once

#include <cstdint>

#include "engine/MidiEventQueue.h"
#include "vst3/Vst3Events.h"

namespace brisalonde_vst3 {

struct ParamPoint {
  int32_t frame;
  vst3::ParamID id;
  double value;
};

struct BlockPoints {
  static constexpr int32_t kCapacity = 1024;
  ParamPoint points[kCapacity];
  int32_t count;
};

// The points of the sixteen parameters and the program change, sorted by frame (arrival
// order kept within a frame); frames are clamped to 0..frames, points beyond the capacity
// are dropped.
void takeParameterPoints(vst3::IParameterChanges* changes, int32_t frames, BlockPoints& points);

// The points of the mapped controllers, appended to `queue` as MIDI events on their frames.
void takeControllerPoints(vst3::IParameterChanges* changes, int32_t frames, MidiEventQueue& queue);

// Appends the note events of bus 0 on channels 1..16 as MIDI note messages, the velocity in
// the 0..127 steps; other events are skipped.
void takeNoteEvents(vst3::IEventList* events, MidiEventQueue& queue);

}  // namespace brisalonde_vst3
