// The note table: the state of every slot (channel * 128 + key) and, threaded through it, the
// candidates for the sounding note in the order of their presses, so that the newest is at
// hand instead of behind a scan of all 2048 slots.
//
// The candidates form a ring through one extra record, the anchor: a press moves its slot next
// to the anchor, a release with the pedal up takes it out. A slot that is no candidate links to
// itself, so that taking it out changes nothing; with the scratch records below, a note event
// does the same work whether it presses or releases, and never asks which.
#pragma once

#include <cstdint>

#include "engine/VoiceConstants.h"

constexpr int kNumMidiChannels = 16;
constexpr int kNumNoteSlots = kNumMidiChannels * voice::kNotesPerChannel;

constexpr uint8_t kSlotHeld = 1;       // the key is down
constexpr uint8_t kSlotSustained = 2;  // released while the pedal was down: in `sustained`

// Eight bytes, so that the whole table (16 KB) stays small for blocks dense with notes.
struct alignas(8) NoteSlot {
  int16_t older;     // the next older candidate, or the anchor; the slot itself when no candidate
  int16_t newer;     // the next newer candidate, or the anchor; the slot itself when no candidate
  uint8_t velocity;  // the last press's 7-bit velocity
  uint8_t flags;     // kSlotHeld, kSlotSustained
};

struct NoteTable {
  static constexpr int kAnchor = kNumNoteSlots;  // its `older` is the newest candidate
  static constexpr int kAlone = kAnchor + 1;     // always linked to itself: taking it out is void
  static constexpr int kSink = kAnchor + 2;      // takes the link a release would not write

  NoteSlot slots[kNumNoteSlots + 3];
  int32_t sustainedCount;
  // Each slot once; the spare entry takes the uncounted write of a note event.
  int16_t sustained[kNumNoteSlots + 1];
};

inline bool isCandidate(const NoteTable& t, int slot) {
  return t.slots[slot].older != slot;
}

// Every slot idle, no candidate.
void clearNoteTable(NoteTable& table);

// The pedal lifts: the slots released while it was down stop being candidates.
void forgetSustained(NoteTable& table);

// All notes off: no slot is held or a candidate any more. Visits the candidates only.
void releaseAll(NoteTable& table);
