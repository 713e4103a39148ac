// Note events in batches over the note table, and the controllers.
#include "engine/NoteLogic.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "engine/ParamMapping.h"

namespace {

using namespace voice;

constexpr uint8_t kStatusKindMask = 0xF0;
constexpr uint8_t kChannelMask = 0x0F;
constexpr uint8_t kNoteKindMask = 0xE0;  // the same for note-off and note-on
constexpr uint8_t kNoteOff = 0x80;
constexpr uint8_t kNoteOnBit = 0x10;  // set in note-on, clear in note-off
constexpr uint8_t kControlChange = 0xB0;
constexpr uint8_t kPitchBend = 0xE0;

constexpr uint8_t kModWheelController = 1;
constexpr uint8_t kSustainController = 64;
constexpr uint8_t kAllSoundOff = 120;
constexpr uint8_t kResetAllControllers = 121;
constexpr uint8_t kAllNotesOff = 123;

constexpr uint8_t kDataMask = 0x7F;
constexpr double kMaxDataValue = 127.0;
constexpr double kBendSteps = 16384.0;
constexpr double kPedalDownThreshold = 0.5;
// The least 7-bit value at or above the threshold: compared as an integer, the pedal's state
// is known at once, not after a division.
constexpr uint8_t kPedalDownValue = [] {
  uint8_t value = 0;
  while (value / kMaxDataValue < kPedalDownThreshold)
    ++value;
  return value;
}();

static_assert(kSlotHeld == 1 && kSlotSustained == 2, "a note event writes the flags as bits");

// Each 7-bit velocity divided by 127, the same quotients as at run time.
constexpr std::array<double, 128> kVelocityFactors = [] {
  std::array<double, 128> factors{};
  for (int v = 0; v < 128; ++v)
    factors[v] = v / kMaxDataValue;
  return factors;
}();

bool isNote(const QueuedMidiEvent& ev) {
  return (ev.status & kNoteKindMask) == kNoteOff;
}

// Masking the queue's 7-bit data again keeps every slot index in the table.
intptr_t slotOf(const QueuedMidiEvent& ev) {
  return (ev.status & kChannelMask) * kNotesPerChannel + (ev.data1 & kDataMask);
}

// A note-on with a velocity; tested without a branch, as note events come in random kinds.
intptr_t isPress(const QueuedMidiEvent& ev) {
  return ((ev.status & kNoteOnBit) != 0) & ((ev.data2 & kDataMask) != 0);
}

// The frame and the status of an event in one word, so that one test ends a frame's run of
// note events; `noteOfFrame` is what that word holds, masked, for a note event of `frame`.
constexpr uint64_t kFrameAndKindMask = 0xFFFFFFFFull | uint64_t{kNoteKindMask} << 32;
static_assert(offsetof(QueuedMidiEvent, status) == sizeof(int32_t));

uint64_t frameAndKind(const QueuedMidiEvent& ev) {
  uint64_t word;
  std::memcpy(&word, &ev, sizeof word);
  return word & kFrameAndKindMask;
}

uint64_t noteOfFrame(int32_t frame) {
  return static_cast<uint32_t>(frame) | uint64_t{kNoteOff} << 32;
}

// A slot's flags after a note event with the pedal down, by (press << 2 | flags before): a
// press holds the slot and keeps it listed; a release of a candidate leaves it sustained.
constexpr uint8_t kFlagsWithPedalDown[8] = {0, 2, 2, 2, 1, 1, 3, 3};

// What the frame's note events leave for the selection after them, in registers while they run.
struct Batch {
  intptr_t newest;          // the newest candidate, or the anchor when there is none
  intptr_t sustainedCount;  // the table's, while the events run
  // The AND of the newest candidate before each press, and of the anchor for each release: slot
  // numbers alone lack the anchor's bit, so a press came while some note was a candidate
  // exactly when the AND lacks it too.
  intptr_t newestBeforePresses = NoteTable::kAnchor;
  intptr_t lastRemoved = -1;  // the slot of the last release that took out a candidate

  explicit Batch(const NoteTable& t)
      : newest(t.slots[NoteTable::kAnchor].older), sustainedCount(t.sustainedCount) {}
  bool retrigger() const { return (newestBeforePresses & NoteTable::kAnchor) == 0; }
};
static_assert((NoteTable::kAnchor & (NoteTable::kAnchor - 1)) == 0 &&
                  NoteTable::kAnchor >= kNumNoteSlots,
              "slot numbers lack the anchor's single bit");

// Compilers branch on some choices like these, and random presses and releases make every
// branch on them a coin toss: each is a conditional move here, as few flag tests as possible.
#if defined(__x86_64__)
#define BRISALONDE_CMOV 1
#endif

// `a` when `lhs` equals `rhs`, `b` otherwise.
[[gnu::always_inline]] inline intptr_t chooseIfEqual(intptr_t lhs, intptr_t rhs, intptr_t a,
                                                     intptr_t b) {
#if BRISALONDE_CMOV
  asm("cmp %[rhs], %[lhs]\n\tcmove %[a], %[b]"
      : [b] "+r"(b)
      : [lhs] "r"(lhs), [rhs] "ri"(rhs), [a] "r"(a)
      : "cc");
  return b;
#else
  return lhs == rhs ? a : b;
#endif
}

// Where a note event writes, chosen by whether it presses. On a press the slot goes in after
// `newest`: its links become (newest, anchor), `newest`'s newer link names it, its velocity
// is written, and it becomes the newest. Otherwise those writes go to the sink or keep the
// values the caller set, and `newest` stays.
struct PressWrites {
  intptr_t linkTarget = NoteTable::kSink;  // whose newer link names the slot
  intptr_t velocityTarget = NoteTable::kSink;
  intptr_t older, newer;  // the slot's links; the caller's values stand for a release
};

[[gnu::always_inline]] inline void choosePressWrites(intptr_t press, intptr_t slot,
                                                     intptr_t& newest, PressWrites& w) {
  constexpr intptr_t kAnchor = NoteTable::kAnchor;
#if BRISALONDE_CMOV
  asm("test %[press], %[press]\n\t"
      "cmovnz %[newest], %[link]\n\t"
      "cmovnz %[slot], %[velocity]\n\t"
      "cmovnz %[newest], %[older]\n\t"
      "cmovnz %[anchor], %[newer]\n\t"
      "cmovnz %[slot], %[newest]"
      // Early clobbers: the compiler must not give an output the register of an input that
      // holds the same value, as it may when a release keeps the slot as its links.
      : [link] "+&r"(w.linkTarget), [velocity] "+&r"(w.velocityTarget), [older] "+&r"(w.older),
        [newer] "+&r"(w.newer), [newest] "+&r"(newest)
      : [press] "r"(press), [slot] "r"(slot), [anchor] "r"(kAnchor)
      : "cc");
#else
  if (press != 0) {
    w = {newest, slot, newest, kAnchor};
    newest = slot;
  }
#endif
}

// Presses and releases alike, without a branch on which. The pedal's state picks the loop; it
// changes seldom. Inline, so that the batch stays in registers. Returns the first event that
// is no note or has another frame, or `end`.
template <bool kPedalDown>
[[gnu::always_inline]] inline const QueuedMidiEvent* runNotes(NoteTable& t, Batch& b,
                                                              const QueuedMidiEvent* ev,
                                                              const QueuedMidiEvent* end,
                                                              int32_t frame) {
  constexpr intptr_t kAnchor = NoteTable::kAnchor;
  NoteSlot* const slots = t.slots;
  const uint64_t noteHere = noteOfFrame(frame);
  intptr_t newest = b.newest;
  for (; ev < end && frameAndKind(*ev) == noteHere; ++ev) {
    const intptr_t slot = slotOf(*ev);
    const intptr_t press = isPress(*ev);
    NoteSlot& s = slots[slot];
    const intptr_t older = s.older, newer = s.newer;
    b.newestBeforePresses &= newest | ((press - 1) & kAnchor);

    // Out of the ring on a press, and on a release with the pedal up: a slot that is no
    // candidate, and the record that stands alone, go out without a change.
    intptr_t outOlder = older, outNewer = newer;
    if constexpr (kPedalDown) {
      outOlder = chooseIfEqual(press, 0, NoteTable::kAlone, outOlder);
      outNewer = chooseIfEqual(press, 0, NoteTable::kAlone, outNewer);
    }
    slots[outNewer].older = static_cast<int16_t>(outOlder);
    slots[outOlder].newer = static_cast<int16_t>(outNewer);
    newest = chooseIfEqual(outNewer, kAnchor, outOlder, newest);

    // In again as the newest on a press; a release with the pedal down keeps its place, one
    // with the pedal up is left alone.
    PressWrites w;
    w.older = kPedalDown ? older : slot;
    w.newer = kPedalDown ? newer : slot;
    if constexpr (!kPedalDown) {
      // With the pedal up a release of a candidate takes it out; with it down, none does.
      const intptr_t removedIfRelease = chooseIfEqual(older, slot, b.lastRemoved, slot);
      b.lastRemoved = chooseIfEqual(press, 0, removedIfRelease, b.lastRemoved);
    }
    choosePressWrites(press, slot, newest, w);
    slots[w.linkTarget].newer = static_cast<int16_t>(slot);
    slots[w.velocityTarget].velocity = static_cast<uint8_t>(ev->data2 & kDataMask);
    s.older = static_cast<int16_t>(w.older);
    s.newer = static_cast<int16_t>(w.newer);
    if constexpr (kPedalDown) {
      // A released candidate stays, listed for when the pedal lifts.
      // A slot is a candidate exactly while it has a flag, so a held candidate is one whose
      // only flag is kSlotHeld.
      const intptr_t kind = press << 2 | s.flags;
      const intptr_t listed = kind == kSlotHeld;
      t.sustained[b.sustainedCount] = static_cast<int16_t>(slot);
      b.sustainedCount += listed;
      s.flags = kFlagsWithPedalDown[kind];
    } else {
      s.flags = static_cast<uint8_t>(press);
    }
  }
  b.newest = newest;
  t.slots[kAnchor].older = static_cast<int16_t>(newest);
  t.sustainedCount = static_cast<int32_t>(b.sustainedCount);
  return ev;
}

// Legato for the block's value, which seldom changes: worked out again only when it does.
bool legato(ToneEngine& e) {
  const double on = memoized(e.cache.legato, e.blockParams[kLegato],
                             [](double value) { return legatoOn(value) ? 1.0 : 0.0; });
  return on != 0.0;
}

void selectSlot(ToneEngine& e, int slot) {
  e.currentSlot = slot;
  e.noteVelocity = kVelocityFactors[e.notes.slots[slot].velocity & kDataMask];
}

// The newest candidate (the anchor for none) sounds; with none the gate closes, at
// `closingSlot` when there is one, else at the last pitch that sounded.
[[gnu::always_inline]] inline void selectNewest(ToneEngine& e, intptr_t newest,
                                                intptr_t closingSlot) {
  const bool candidate = newest != NoteTable::kAnchor;
  e.gate = candidate;
  const intptr_t slot = candidate ? newest : closingSlot;
  if (slot >= 0) selectSlot(e, static_cast<int>(slot));
}

void pickCurrentSlot(ToneEngine& e) {
  selectNewest(e, e.notes.slots[NoteTable::kAnchor].older, -1);
}

// Selects after the batch. With no candidate left, the last release that took one out left
// none, as a press after it would have left one: the gate closes at its pitch.
[[gnu::always_inline]] inline void finish(ToneEngine& e, const Batch& b) {
  if (b.retrigger() && !legato(e)) e.retriggerCountdown = kRetriggerFadeSeconds * e.sampleRate;
  selectNewest(e, b.newest, b.lastRemoved);
}

// The glide starts at the first note's own pitch.
void startFrequency(ToneEngine& e, const QueuedMidiEvent& ev) {
  const double semitones = slotOf(ev) % kNotesPerChannel - kReferenceNote +
                           transposeSemitones(e.blockParams[kTranspose]) +
                           fineTuneSemitones(e.blockParams[kFineTune]);
  e.currentFreq = kReferenceHz * std::pow(2.0, semitones / kSemitonesPerOctave);
  e.freqInitialised = true;
}

void controlChange(ToneEngine& e, const QueuedMidiEvent& ev) {
  switch (ev.data1) {
    case kModWheelController:
      e.modWheel = ev.data2 / kMaxDataValue;
      break;
    case kSustainController:
      e.sustainDown = ev.data2 >= kPedalDownValue;
      if (!e.sustainDown) {
        forgetSustained(e.notes);
        pickCurrentSlot(e);
      }
      break;
    case kAllSoundOff:
    case kAllNotesOff:
      releaseAll(e.notes);
      e.gate = false;
      e.sustainDown = false;
      break;
    case kResetAllControllers:
      e.sustainDown = false;
      e.pitchBend = kBendCentre;
      e.modWheel = 0.0;
      forgetSustained(e.notes);
      pickCurrentSlot(e);
      break;
    default:
      break;
  }
}

void pitchBend(ToneEngine& e, const QueuedMidiEvent& ev) {
  const double position = (ev.data2 * 128 + ev.data1) / kBendSteps;
  e.pitchBend = position < 0.0 ? 0.0 : (position > 1.0 ? 1.0 : position);
}

// An event that is no note, with the note state as selected after the events before it. The
// queue stores 7-bit data already; its copy here is masked again, once for both handlers.
void handleOther(ToneEngine& e, const QueuedMidiEvent& event) {
  QueuedMidiEvent ev = event;
  ev.data1 &= kDataMask;
  ev.data2 &= kDataMask;
  const uint8_t kind = ev.status & kStatusKindMask;
  if (kind == kControlChange)
    controlChange(e, ev);
  else if (kind == kPitchBend)
    pitchBend(e, ev);
}

// The note events from `from` on that share `frame`, up to `end`, then the selection; returns
// the event after them.
[[gnu::always_inline]] inline const QueuedMidiEvent* runBatch(ToneEngine& e,
                                                              const QueuedMidiEvent* from,
                                                              const QueuedMidiEvent* end,
                                                              int32_t frame) {
  Batch b(e.notes);
  const QueuedMidiEvent* next = e.sustainDown ? runNotes<true>(e.notes, b, from, end, frame)
                                              : runNotes<false>(e.notes, b, from, end, frame);
  finish(e, b);
  return next;
}

}  // namespace

int32_t handleFrameEvents(ToneEngine& e, const QueuedMidiEvent* events, int32_t count) {
  if (count <= 0) return 0;
  const int32_t frame = events[0].frame;
  const QueuedMidiEvent* ev = events;
  const QueuedMidiEvent* const end = events + count;
  // Until the first press, one event at a time: that press sets the glide's start.
  for (; ev < end && ev->frame == frame && !e.freqInitialised; ++ev) {
    if (isNote(*ev)) {
      runBatch(e, ev, ev + 1, frame);
      if (isPress(*ev)) startFrequency(e, *ev);
    } else {
      handleOther(e, *ev);
    }
  }
  while (ev < end && ev->frame == frame) {
    if (!isNote(*ev)) {
      handleOther(e, *ev++);
      continue;
    }
    ev = runBatch(e, ev, end, frame);
  }
  return static_cast<int32_t>(ev - events);
}
