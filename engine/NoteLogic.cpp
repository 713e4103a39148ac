// Note events over the note table in runs across frames, and the controllers.
#include "engine/NoteLogic.h"

#include <algorithm>
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

// What the events of a stretch of frames leave for each frame's selection, kept between the
// runs of note events that other events interrupt.
struct Stretch {
  NoteFrame* frames;
  intptr_t count = 0;  // of the frames written, the last of which is being written
  int32_t frame = -1;  // the frame of the block that it is
  bool gateBefore;     // the gate before the stretch
  // When no candidate remains at the frame's end, the gate closes at this slot: the last
  // release of the frame that took a candidate out, else the slot selected before in the
  // frame; kSink for none, which leaves the sounding slot as it was.
  intptr_t closing = NoteTable::kSink;
  // The AND of the newest candidate before each press of the frame, and of the anchor for
  // each release: slot numbers alone lack the anchor's bit, so a press came while some note
  // was a candidate exactly when the AND lacks it too.
  intptr_t newestBeforePresses = NoteTable::kAnchor;

  Stretch(NoteFrame* into, bool gate) : frames(into), gateBefore(gate) {}

  NoteFrame& last() { return frames[count - 1]; }

  // The frame of `at` starts a selection of its own unless it is the one being written.
  void openFrame(int32_t at) {
    if (at == frame) return;
    const bool gate = count > 0 ? last().gate() : gateBefore;
    frames[count++] = unchangedNotes(at, gate);
    frame = at;
    closing = NoteTable::kSink;
    newestBeforePresses = NoteTable::kAnchor;
  }
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

// The selection that the stretch's frame leaves after its note events so far: the newest
// candidate sounds; with none the gate closes at the stretch's closing slot. A press over a
// candidate marks a retrigger, which Legato takes back afterwards.
[[gnu::always_inline]] inline void writeSelection(const NoteSlot* slots, Stretch& st,
                                                  intptr_t newest) {
  const bool candidate = newest != NoteTable::kAnchor;
  const intptr_t shown = candidate ? newest : st.closing;
  const bool retrigger = (st.newestBeforePresses & NoteTable::kAnchor) == 0;
  st.last() = {st.frame, static_cast<int16_t>(shown), slots[shown].velocity,
               static_cast<uint8_t>((candidate ? NoteFrame::kGate : 0) |
                                    (retrigger ? NoteFrame::kRetrigger : 0))};
}

// Presses and releases alike, without a branch on which, frame after frame of the stretch;
// each frame's selection is written after its last note event. The pedal's state picks the
// loop; it changes seldom. Inline, so that the stretch stays in registers. Returns the first
// event that is no note, or `end`.
template <bool kPedalDown>
[[gnu::always_inline]] inline const QueuedMidiEvent* runNotes(NoteTable& t, Stretch& stretch,
                                                              const QueuedMidiEvent* ev,
                                                              const QueuedMidiEvent* end) {
  constexpr intptr_t kAnchor = NoteTable::kAnchor;
  NoteSlot* const slots = t.slots;
  Stretch st = stretch;
  intptr_t newest = slots[kAnchor].older;
  intptr_t sustainedCount = t.sustainedCount;
  st.openFrame(ev->frame);
  for (;;) {
    const uint64_t noteHere = noteOfFrame(st.frame);
    for (; ev < end && frameAndKind(*ev) == noteHere; ++ev) {
      const intptr_t slot = slotOf(*ev);
      const intptr_t press = isPress(*ev);
      NoteSlot& s = slots[slot];
      const intptr_t older = s.older, newer = s.newer;
      st.newestBeforePresses &= newest | ((press - 1) & kAnchor);

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
        const intptr_t removedIfRelease = chooseIfEqual(older, slot, st.closing, slot);
        st.closing = chooseIfEqual(press, 0, removedIfRelease, st.closing);
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
        t.sustained[sustainedCount] = static_cast<int16_t>(slot);
        sustainedCount += listed;
        s.flags = kFlagsWithPedalDown[kind];
      } else {
        s.flags = static_cast<uint8_t>(press);
      }
    }
    writeSelection(slots, st, newest);
    if (ev == end || !isNote(*ev)) break;
    st.openFrame(ev->frame);
  }
  slots[kAnchor].older = static_cast<int16_t>(newest);
  t.sustainedCount = static_cast<int32_t>(sustainedCount);
  stretch = st;
  return ev;
}

// Legato for the block's value, which seldom changes: worked out again only when it does.
bool legato(ToneEngine& e) {
  const double on = memoized(e.cache.legato, e.blockParams[kLegato],
                             [](double value) { return legatoOn(value) ? 1.0 : 0.0; });
  return on != 0.0;
}

// The newest candidate (the anchor for none) sounds; with none the gate closes, and the
// sounding slot stays.
void pickCurrentSlot(const NoteTable& t, NoteFrame& selection) {
  const intptr_t newest = t.slots[NoteTable::kAnchor].older;
  if (newest == NoteTable::kAnchor) {
    selection.flags &= ~NoteFrame::kGate;
    return;
  }
  selection.flags |= NoteFrame::kGate;
  selection.slot = static_cast<int16_t>(newest);
  selection.velocity = t.slots[newest].velocity;
}

// The glide starts at the first note's own pitch.
void startFrequency(ToneEngine& e, const QueuedMidiEvent& ev) {
  const double semitones = slotOf(ev) % kNotesPerChannel - kReferenceNote +
                           transposeSemitones(e.blockParams[kTranspose]) +
                           fineTuneSemitones(e.blockParams[kFineTune]);
  e.currentFreq = kReferenceHz * std::pow(2.0, semitones / kSemitonesPerOctave);
  e.freqInitialised = true;
}

void controlChange(ToneEngine& e, NoteFrame& selection, const QueuedMidiEvent& ev) {
  switch (ev.data1) {
    case kModWheelController:
      e.modWheel = ev.data2 / kMaxDataValue;
      break;
    case kSustainController:
      e.sustainDown = ev.data2 >= kPedalDownValue;
      if (!e.sustainDown) {
        forgetSustained(e.notes);
        pickCurrentSlot(e.notes, selection);
      }
      break;
    case kAllSoundOff:
    case kAllNotesOff:
      releaseAll(e.notes);
      selection.flags &= ~NoteFrame::kGate;
      e.sustainDown = false;
      break;
    case kResetAllControllers:
      e.sustainDown = false;
      e.pitchBend = kBendCentre;
      e.modWheel = 0.0;
      forgetSustained(e.notes);
      pickCurrentSlot(e.notes, selection);
      break;
    default:
      break;
  }
}

void pitchBend(ToneEngine& e, const QueuedMidiEvent& ev) {
  const double position = (ev.data2 * 128 + ev.data1) / kBendSteps;
  e.pitchBend = position < 0.0 ? 0.0 : (position > 1.0 ? 1.0 : position);
}

// Whether the event changes the voice beyond the note state: the pitch bend, and the
// controllers of the modulation wheel and of the reset, which sets both.
bool changesVoice(const QueuedMidiEvent& ev) {
  const uint8_t kind = ev.status & kStatusKindMask;
  const uint8_t controller = ev.data1 & kDataMask;
  return kind == kPitchBend || (kind == kControlChange && (controller == kModWheelController ||
                                                           controller == kResetAllControllers));
}

// An event that is no note, with the note state as selected after the events before it. The
// queue stores 7-bit data already; its copy here is masked again, once for both handlers.
void handleOther(ToneEngine& e, Stretch& st, const QueuedMidiEvent& event) {
  QueuedMidiEvent ev = event;
  ev.data1 &= kDataMask;
  ev.data2 &= kDataMask;
  st.openFrame(ev.frame);
  NoteFrame& selection = st.last();
  const uint8_t kind = ev.status & kStatusKindMask;
  if (kind == kControlChange)
    controlChange(e, selection, ev);
  else if (kind == kPitchBend)
    pitchBend(e, ev);
  // The frame's note events after this one close the gate, with no candidate left, at the
  // slot selected so far, unless a release takes a candidate out.
  st.closing = selection.selects() ? selection.slot : NoteTable::kSink;
}

// The events [events, end), which all lie in the stretch's frames: notes in runs, others one at
// a time. With `deferVoice`, stops before an event that changes the voice beyond the note
// state. Returns the event it stopped at.
const QueuedMidiEvent* takeEvents(ToneEngine& e, Stretch& st, const QueuedMidiEvent* events,
                                  const QueuedMidiEvent* end, bool deferVoice) {
  const auto notes = [&](const QueuedMidiEvent* from, const QueuedMidiEvent* to) {
    return e.sustainDown ? runNotes<true>(e.notes, st, from, to)
                         : runNotes<false>(e.notes, st, from, to);
  };
  const QueuedMidiEvent* ev = events;
  // Until the first press, one event at a time: that press sets the glide's start.
  for (; ev < end && !e.freqInitialised; ++ev) {
    if (isNote(*ev)) {
      notes(ev, ev + 1);
      if (isPress(*ev)) startFrequency(e, *ev);
    } else {
      handleOther(e, st, *ev);
    }
  }
  while (ev < end) {
    if (isNote(*ev)) {
      ev = notes(ev, end);
      continue;
    }
    if (deferVoice && changesVoice(*ev)) break;
    handleOther(e, st, *ev++);
  }
  if (legato(e)) {
    for (intptr_t i = 0; i < st.count; ++i)
      st.frames[i].flags &= ~NoteFrame::kRetrigger;
  }
  return ev;
}

}  // namespace

int32_t handleFrameEvents(ToneEngine& e, const QueuedMidiEvent* events, int32_t count) {
  if (count <= 0) return 0;
  const int32_t frame = events[0].frame;
  int32_t n = 1;
  while (n < count && events[n].frame == frame)
    ++n;
  NoteFrame selection;
  Stretch st(&selection, e.gate);
  takeEvents(e, st, events, events + n, false);
  applyNoteFrame(e, selection);
  return n;
}

NoteFrames selectNoteFrames(ToneEngine& e, const QueuedMidiEvent* events, int32_t count,
                            int32_t endFrame, NoteFrame* frames, int32_t capacity) {
  // The first press sets the glide's start, which the voice reads.
  if (count <= 0 || capacity <= 0 || !e.freqInitialised) return {0, 0};
  // Frames past the room for their selections wait, as do those of later blocks.
  const int64_t lastFrame = std::min<int64_t>(endFrame, int64_t{events[0].frame} + capacity);
  const QueuedMidiEvent* end =
      std::lower_bound(events, events + count, lastFrame,
                       [](const QueuedMidiEvent& ev, int64_t frame) { return ev.frame < frame; });
  Stretch st(frames, e.gate);
  const QueuedMidiEvent* stop = takeEvents(e, st, events, end, true);
  return {static_cast<int32_t>(stop - events), static_cast<int32_t>(st.count)};
}
