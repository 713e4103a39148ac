// The note table's candidate ring and its clearing events.
#include "engine/NoteTable.h"

namespace {

// A slot, or a scratch record, linked to itself and in no list.
NoteSlot alone(int slot, uint8_t velocity) {
  const auto self = static_cast<int16_t>(slot);
  return NoteSlot{self, self, velocity, 0};
}

void takeOut(NoteTable& t, int slot) {
  NoteSlot& s = t.slots[slot];
  t.slots[s.newer].older = s.older;
  t.slots[s.older].newer = s.newer;
  s.older = s.newer = static_cast<int16_t>(slot);
}

}  // namespace

void clearNoteTable(NoteTable& t) {
  for (int slot = 0; slot < kNumNoteSlots + 3; ++slot)
    t.slots[slot] = alone(slot, 127);
  t.sustainedCount = 0;
}

void forgetSustained(NoteTable& t) {
  for (int32_t i = 0; i < t.sustainedCount; ++i) {
    NoteSlot& slot = t.slots[t.sustained[i]];
    slot.flags &= ~kSlotSustained;
    if ((slot.flags & kSlotHeld) == 0) takeOut(t, t.sustained[i]);
  }
  t.sustainedCount = 0;
}

void releaseAll(NoteTable& t) {
  // Every held or listed slot is a candidate: walking the ring reaches them all.
  for (int slot = t.slots[NoteTable::kAnchor].older; slot != NoteTable::kAnchor;) {
    const int older = t.slots[slot].older;
    t.slots[slot] = alone(slot, t.slots[slot].velocity);
    slot = older;
  }
  t.slots[NoteTable::kAnchor] = alone(NoteTable::kAnchor, 127);
  t.sustainedCount = 0;
}
