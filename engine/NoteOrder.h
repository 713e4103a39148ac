// The note table's candidates in stamp order, beside the table itself: every slot with a
// stamp other than 0, linked from the newest to the oldest, so that selecting the sounding
// note takes the head instead of scanning all 2048 slots. Two lists of slots make the
// clearing events cheap as well: the slots released while the pedal is down (forgotten when
// it lifts) and the slots that differ from their idle state (reset by all notes off).
//
// The candidates form a ring through one extra record, the anchor, and a slot that is no
// candidate links to itself. Unlinking it then changes nothing, so that neither linking nor
// unlinking asks where a slot is: with random notes those questions are coin tosses that
// the processor would mispredict.
#pragma once

#include <cstdint>

constexpr int kNumMidiChannels = 16;
constexpr int kNumNoteSlots = kNumMidiChannels * 128;  // indexed channel * 128 + note

// What the order knows of one slot, together in eight bytes: a note event touches one record.
struct alignas(8) SlotLinks {
  int16_t older;     // the next older candidate, or the anchor; the slot itself when no candidate
  int16_t newer;     // the next newer candidate, or the anchor; the slot itself when no candidate
  bool isSustained;  // in `sustained`
  bool isTouched;    // in `touched`
};

struct NoteOrder {
  static constexpr int kAnchor = kNumNoteSlots;  // its `older` is the newest candidate
  SlotLinks links[kNumNoteSlots + 1];

  // Each list holds a slot at most once, and one spare entry takes the uncounted write.
  int16_t sustainedCount;
  int16_t sustained[kNumNoteSlots + 1];  // released while the pedal was down; may be held again

  int16_t touchedCount;
  int16_t touched[kNumNoteSlots + 1];  // pressed since the table was last idle
};

// No candidate, nothing sustained, nothing touched.
void clearNoteOrder(NoteOrder& order);

// The same, visiting only the touched slots: the others hold no link and no mark.
void clearTouched(NoteOrder& order);

// Every note event passes through those below, so they are inline.

// The newest candidate; -1 when there is none.
inline int newestCandidate(const NoteOrder& o) {
  const int newest = o.links[NoteOrder::kAnchor].older;
  return newest == NoteOrder::kAnchor ? -1 : newest;
}

// Removes `slot` from the candidates; nothing changes when it is none.
inline void dropCandidate(NoteOrder& o, int slot) {
  SlotLinks& links = o.links[slot];
  o.links[links.newer].older = links.older;
  o.links[links.older].newer = links.newer;
  links.older = links.newer = static_cast<int16_t>(slot);
}

// Makes `slot` the newest candidate; it may be a candidate already.
inline void makeNewest(NoteOrder& o, int slot) {
  dropCandidate(o, slot);
  SlotLinks& anchor = o.links[NoteOrder::kAnchor];
  SlotLinks& links = o.links[slot];
  links.older = anchor.older;
  links.newer = NoteOrder::kAnchor;
  o.links[anchor.older].newer = static_cast<int16_t>(slot);
  anchor.older = static_cast<int16_t>(slot);
}

// Notes the slot in the list of its kind when `when` holds, once until that list is emptied;
// the entry past the list's end may be written, never counted.
inline void noteSustained(NoteOrder& o, int slot, bool when) {
  SlotLinks& links = o.links[slot];
  o.sustained[o.sustainedCount] = static_cast<int16_t>(slot);
  o.sustainedCount += when & !links.isSustained;
  links.isSustained = links.isSustained | when;
}

inline void noteTouched(NoteOrder& o, int slot) {
  SlotLinks& links = o.links[slot];
  o.touched[o.touchedCount] = static_cast<int16_t>(slot);
  o.touchedCount += !links.isTouched;
  links.isTouched = true;
}
