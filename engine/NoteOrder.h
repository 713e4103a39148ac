// The note table's candidates in stamp order, beside the table itself: every slot with a
// stamp other than 0, linked from the newest to the oldest, so that selecting the sounding
// note takes the head instead of scanning all 2048 slots. Two lists of slots make the
// clearing events cheap as well: the slots released while the pedal is down (forgotten when
// it lifts) and the slots that differ from their idle state (reset by all notes off).
#pragma once

#include <cstdint>

constexpr int kNumMidiChannels = 16;
constexpr int kNumNoteSlots = kNumMidiChannels * 128;  // indexed channel * 128 + note

// What the order knows of one slot, together in eight bytes: a note event touches one record.
struct alignas(8) SlotLinks {
  int16_t older;  // links of a candidate, -1 at either end
  int16_t newer;
  bool isSustained;  // in `sustained`
  bool isTouched;    // in `touched`
};

struct NoteOrder {
  int16_t newest;  // head of the candidates, -1 when there is none
  SlotLinks links[kNumNoteSlots];

  int16_t sustainedCount;
  int16_t sustained[kNumNoteSlots];  // released while the pedal was down; may be held again

  int16_t touchedCount;
  int16_t touched[kNumNoteSlots];  // pressed since the table was last idle
};

// No candidate, nothing sustained, nothing touched.
void clearNoteOrder(NoteOrder& order);

// The same, visiting only the touched slots: the others hold no link and no mark.
void clearTouched(NoteOrder& order);

// Every note event passes through the four below, so they are inline.

// Removes `slot`, a candidate, from the candidates.
inline void dropCandidate(NoteOrder& o, int slot) {
  SlotLinks& links = o.links[slot];
  const int16_t older = links.older;
  const int16_t newer = links.newer;
  if (newer >= 0)
    o.links[newer].older = older;
  else
    o.newest = older;
  if (older >= 0) o.links[older].newer = newer;
  links.older = links.newer = -1;
}

// Makes `slot` the newest candidate; it may be a candidate already.
inline void makeNewest(NoteOrder& o, int slot) {
  if (o.newest == slot) return;
  if (o.links[slot].older >= 0 || o.links[slot].newer >= 0) dropCandidate(o, slot);
  o.links[slot].older = o.newest;
  if (o.newest >= 0) o.links[o.newest].newer = static_cast<int16_t>(slot);
  o.newest = static_cast<int16_t>(slot);
}

// Notes the slot in the list of its kind, once until that list is emptied.
inline void noteSustained(NoteOrder& o, int slot) {
  if (o.links[slot].isSustained) return;
  o.links[slot].isSustained = true;
  o.sustained[o.sustainedCount++] = static_cast<int16_t>(slot);
}

inline void noteTouched(NoteOrder& o, int slot) {
  if (o.links[slot].isTouched) return;
  o.links[slot].isTouched = true;
  o.touched[o.touchedCount++] = static_cast<int16_t>(slot);
}
