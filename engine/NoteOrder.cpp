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
