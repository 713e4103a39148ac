// The candidate list and the two clearing lists of the note table.
#include "engine/NoteOrder.h"

void clearNoteOrder(NoteOrder& o) {
  o.newest = -1;
  o.sustainedCount = 0;
  o.touchedCount = 0;
  for (int i = 0; i < kNumNoteSlots; ++i) {
    o.older[i] = o.newer[i] = -1;
    o.isSustained[i] = o.isTouched[i] = false;
  }
}

void clearTouched(NoteOrder& o) {
  for (int i = 0; i < o.touchedCount; ++i) {
    const int16_t slot = o.touched[i];
    o.older[slot] = o.newer[slot] = -1;
    o.isSustained[slot] = o.isTouched[slot] = false;
  }
  o.newest = -1;
  o.sustainedCount = 0;
  o.touchedCount = 0;
}

void dropCandidate(NoteOrder& o, int slot) {
  const int16_t older = o.older[slot];
  const int16_t newer = o.newer[slot];
  if (newer >= 0)
    o.older[newer] = older;
  else
    o.newest = older;
  if (older >= 0) o.newer[older] = newer;
  o.older[slot] = o.newer[slot] = -1;
}

void makeNewest(NoteOrder& o, int slot) {
  if (o.newest == slot) return;
  if (o.older[slot] >= 0 || o.newer[slot] >= 0) dropCandidate(o, slot);
  o.older[slot] = o.newest;
  if (o.newest >= 0) o.newer[o.newest] = static_cast<int16_t>(slot);
  o.newest = static_cast<int16_t>(slot);
}

void noteSustained(NoteOrder& o, int slot) {
  if (o.isSustained[slot]) return;
  o.isSustained[slot] = true;
  o.sustained[o.sustainedCount++] = static_cast<int16_t>(slot);
}

void noteTouched(NoteOrder& o, int slot) {
  if (o.isTouched[slot]) return;
  o.isTouched[slot] = true;
  o.touched[o.touchedCount++] = static_cast<int16_t>(slot);
}
