// The candidate ring and the two clearing lists of the note table.
#include "engine/NoteOrder.h"

namespace {

// A slot, or the anchor, linked to itself and in no list.
SlotLinks alone(int slot) {
  const auto self = static_cast<int16_t>(slot);
  return SlotLinks{self, self, false, false};
}

}  // namespace

void clearNoteOrder(NoteOrder& o) {
  for (int slot = 0; slot <= NoteOrder::kAnchor; ++slot)
    o.links[slot] = alone(slot);
  o.sustainedCount = 0;
  o.touchedCount = 0;
}

void clearTouched(NoteOrder& o) {
  for (int i = 0; i < o.touchedCount; ++i)
    o.links[o.touched[i]] = alone(o.touched[i]);
  o.links[NoteOrder::kAnchor] = alone(NoteOrder::kAnchor);
  o.sustainedCount = 0;
  o.touchedCount = 0;
}
