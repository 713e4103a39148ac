// The candidate list and the two clearing lists of the note table.
#include "engine/NoteOrder.h"

void clearNoteOrder(NoteOrder& o) {
  o.newest = -1;
  o.sustainedCount = 0;
  o.touchedCount = 0;
  for (SlotLinks& links : o.links)
    links = SlotLinks{-1, -1, false, false};
}

void clearTouched(NoteOrder& o) {
  for (int i = 0; i < o.touchedCount; ++i) {
    o.links[o.touched[i]] = SlotLinks{-1, -1, false, false};
  }
  o.newest = -1;
  o.sustainedCount = 0;
  o.touchedCount = 0;
}
