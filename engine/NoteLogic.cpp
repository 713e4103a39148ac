// Note events in batches over the note table, and the controllers.
#include "engine/NoteLogic.h"

#include <array>
#include <cmath>

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
int slotOf(const QueuedMidiEvent& ev) {
  return (ev.status & kChannelMask) * kNotesPerChannel + (ev.data1 & kDataMask);
}

// A note-on with a velocity; tested without a branch, as note events come in random kinds.
int isPress(const QueuedMidiEvent& ev) {
  return ((ev.status & kNoteOnBit) != 0) & ((ev.data2 & kDataMask) != 0);
}

// What the frame's note events leave for the selection after them, in registers while they run.
struct Batch {
  int32_t newest;          // the newest candidate, or the anchor when there is none
  int32_t sustainedCount;  // the table's, while the events run
  uint32_t retrigger = 0;  // a press came while some note was a candidate
  int32_t emptiedAt = -1;  // the slot of the last release that left no candidate

  explicit Batch(const NoteTable& t)
      : newest(t.slots[NoteTable::kAnchor].older), sustainedCount(t.sustainedCount) {}
};

// `a` when `take` is set, `b` otherwise, by a conditional move: compilers branch on some such
// choices, and random presses and releases make every branch on them a coin toss.
[[gnu::always_inline]] inline int choose(int take, int a, int b) {
#if defined(__x86_64__)
  asm("test %[take], %[take]\n\tcmovnz %[a], %[b]"
      : [b] "+r"(b)
      : [take] "r"(take), [a] "r"(a)
      : "cc");
  return b;
#else
  return take != 0 ? a : b;
#endif
}

// Presses and releases alike, without a branch on which. The pedal's state picks the loop; it
// changes seldom. Inline, so that the batch stays in registers. Returns the index of the first
// event that is no note or has another frame, or `count`.
template <bool kPedalDown>
[[gnu::always_inline]] inline int32_t runNotes(NoteTable& t, Batch& b,
                                               const QueuedMidiEvent* events, int32_t from,
                                               int32_t count, int32_t frame) {
  constexpr int kAnchor = NoteTable::kAnchor;
  constexpr int kAlone = NoteTable::kAlone;
  int32_t k = from;
  for (; k < count && isNote(events[k]) && events[k].frame == frame; ++k) {
    const QueuedMidiEvent& ev = events[k];
    const int slot = slotOf(ev);
    const int velocity = ev.data2 & kDataMask;
    const int press = isPress(ev);
    NoteSlot& s = t.slots[slot];
    const int older = s.older, newer = s.newer;
    const int was = older != slot;
    b.retrigger |= press & (b.newest != kAnchor);

    // Out of the ring on a press, and on a release with the pedal up: a slot that is no
    // candidate, and the record that stands alone, go out without a change.
    const int outOlder = kPedalDown ? choose(press, older, kAlone) : older;
    const int outNewer = kPedalDown ? choose(press, newer, kAlone) : newer;
    t.slots[outNewer].older = static_cast<int16_t>(outOlder);
    t.slots[outOlder].newer = static_cast<int16_t>(outNewer);
    const int newest = choose(outNewer == kAnchor, outOlder, b.newest);

    // In again as the newest on a press; a release with the pedal down keeps its place.
    t.slots[choose(press, newest, NoteTable::kSink)].newer = static_cast<int16_t>(slot);
    const int stayOlder = kPedalDown ? older : slot;
    const int stayNewer = kPedalDown ? newer : slot;
    s.older = static_cast<int16_t>(choose(press, newest, stayOlder));
    s.newer = static_cast<int16_t>(choose(press, kAnchor, stayNewer));
    s.velocity = static_cast<uint8_t>(choose(press, velocity, s.velocity));
    b.newest = choose(press, slot, newest);
    t.slots[kAnchor].older = static_cast<int16_t>(b.newest);
    if constexpr (kPedalDown) {
      // A released candidate stays, listed for when the pedal lifts.
      const int listedFlag = s.flags & kSlotSustained;
      const int listed = (press ^ 1) & was & (listedFlag == 0);
      t.sustained[b.sustainedCount] = static_cast<int16_t>(slot);
      b.sustainedCount += listed;
      s.flags = static_cast<uint8_t>(listedFlag | listed << 1 | press);
    } else {
      s.flags = static_cast<uint8_t>(press);
      b.emptiedAt = choose(was & (b.newest == kAnchor), slot, b.emptiedAt);
    }
  }
  t.sustainedCount = b.sustainedCount;
  return k;
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

// The newest candidate sounds; with none the gate closes at the last pitch that sounded.
void pickCurrentSlot(ToneEngine& e) {
  const int best = newestCandidate(e.notes);
  e.gate = best >= 0;
  if (best >= 0) selectSlot(e, best);
}

// Selects after the batch: a release that left no candidate is the last pitch.
[[gnu::always_inline]] inline void finish(ToneEngine& e, const Batch& b) {
  if (b.retrigger != 0 && !legato(e)) e.retriggerCountdown = kRetriggerFadeSeconds * e.sampleRate;
  if (b.newest == NoteTable::kAnchor && b.emptiedAt >= 0) selectSlot(e, b.emptiedAt);
  pickCurrentSlot(e);
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
      e.sustainDown = ev.data2 / kMaxDataValue >= kPedalDownThreshold;
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

// The note events from `from` on that share `frame`, up to `to`, then the selection; returns
// the index after them.
[[gnu::always_inline]] inline int32_t runBatch(ToneEngine& e, const QueuedMidiEvent* events,
                                               int32_t from, int32_t to, int32_t frame) {
  Batch b(e.notes);
  const int32_t next = e.sustainDown ? runNotes<true>(e.notes, b, events, from, to, frame)
                                     : runNotes<false>(e.notes, b, events, from, to, frame);
  finish(e, b);
  return next;
}

}  // namespace

int32_t handleFrameEvents(ToneEngine& e, const QueuedMidiEvent* events, int32_t count) {
  if (count <= 0) return 0;
  const int32_t frame = events[0].frame;
  int32_t k = 0;
  // Until the first press, one event at a time: that press sets the glide's start.
  for (; k < count && events[k].frame == frame && !e.freqInitialised; ++k) {
    if (isNote(events[k])) {
      runBatch(e, events, k, k + 1, frame);
      if (isPress(events[k])) startFrequency(e, events[k]);
    } else {
      handleOther(e, events[k]);
    }
  }
  while (k < count && events[k].frame == frame) {
    if (!isNote(events[k])) {
      handleOther(e, events[k++]);
      continue;
    }
    k = runBatch(e, events, k, count, frame);
  }
  return k;
}
