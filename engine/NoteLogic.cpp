// Note table and controller handling.
#include "engine/NoteLogic.h"

#include <array>
#include <cmath>

#include "engine/ParamMapping.h"

namespace {

using namespace voice;

constexpr uint8_t kStatusKindMask = 0xF0;
constexpr uint8_t kChannelMask = 0x0F;
constexpr uint8_t kNoteOff = 0x80;
constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kNoteKindMask = 0xE0;  // the same for note-off and note-on
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

// Each 7-bit velocity divided by 127, the same quotients as at run time: a division on every
// note event would lengthen the path from the newest candidate to the voice.
constexpr std::array<double, 128> kVelocityFactors = [] {
  std::array<double, 128> factors{};
  for (int v = 0; v < 128; ++v)
    factors[v] = v / kMaxDataValue;
  return factors;
}();

int slotOf(const QueuedMidiEvent& ev) {
  return (ev.status & kChannelMask) * kNotesPerChannel + ev.data1;
}

// Clears the stamps of the released slots. With the pedal up every released slot has stamp 0
// already, except those released while it was down: only they are visited.
void forgetReleasedStamps(ToneEngine& e) {
  NoteOrder& order = e.noteOrder;
  for (int i = 0; i < order.sustainedCount; ++i) {
    const int index = order.sustained[i];
    order.links[index].isSustained = false;
    NoteSlot& slot = e.slots[index];
    if (slot.held || slot.stamp == 0) continue;
    slot.stamp = 0;
    dropCandidate(order, index);
  }
  order.sustainedCount = 0;
}

// Every slot back to idle (not held, stamp 0, full velocity): those that differ are the touched
// ones.
void idleAllSlots(ToneEngine& e) {
  NoteOrder& order = e.noteOrder;
  for (int i = 0; i < order.touchedCount; ++i)
    e.slots[order.touched[i]] = kIdleSlot;
  clearTouched(order);
}

// Legato for the block's value, which seldom changes: worked out again only when it does.
bool legato(ToneEngine& e) {
  const double on = memoized(e.cache.legato, e.blockParams[kLegato],
                             [](double value) { return legatoOn(value) ? 1.0 : 0.0; });
  return on != 0.0;
}

void noteOn(ToneEngine& e, const QueuedMidiEvent& ev) {
  const int index = slotOf(ev);
  e.slots[index] = NoteSlot{++e.noteCounter, ev.data2, true};
  makeNewest(e.noteOrder, index);
  noteTouched(e.noteOrder, index);

  const bool wasGated = e.gate;
  pickCurrentSlot(e);
  if (wasGated && !legato(e)) e.retriggerCountdown = kRetriggerFadeSeconds * e.sampleRate;

  if (!e.freqInitialised) {
    const double semitones = ev.data1 - kReferenceNote +
                             transposeSemitones(e.blockParams[kTranspose]) +
                             fineTuneSemitones(e.blockParams[kFineTune]);
    e.currentFreq = kReferenceHz * std::pow(2.0, semitones / kSemitonesPerOctave);
    e.freqInitialised = true;
  }
}

void noteOff(ToneEngine& e, const QueuedMidiEvent& ev) {
  const int index = slotOf(ev);
  NoteSlot& slot = e.slots[index];
  slot.held = false;
  // A slot with stamp 0 is no candidate: dropping it changes nothing, and the pedal keeps it
  // out of its list, so neither case asks which it is.
  if (e.sustainDown) {
    noteSustained(e.noteOrder, index, slot.stamp != 0);
  } else {
    slot.stamp = 0;
    dropCandidate(e.noteOrder, index);
  }
  pickCurrentSlot(e);
}

void controlChange(ToneEngine& e, const QueuedMidiEvent& ev) {
  switch (ev.data1) {
    case kModWheelController:
      e.modWheel = ev.data2 / kMaxDataValue;
      break;
    case kSustainController:
      e.sustainDown = ev.data2 / kMaxDataValue >= kPedalDownThreshold;
      if (!e.sustainDown) {
        forgetReleasedStamps(e);
        pickCurrentSlot(e);
      }
      break;
    case kAllSoundOff:
    case kAllNotesOff:
      idleAllSlots(e);
      e.gate = false;
      e.sustainDown = false;
      break;
    case kResetAllControllers:
      e.sustainDown = false;
      e.pitchBend = kBendCentre;
      e.modWheel = 0.0;
      forgetReleasedStamps(e);
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

}  // namespace

// The candidates are the slots with a stamp: held ones, and with the pedal down the released
// ones it keeps (once it lifts, released slots lose their stamps). Stamps only grow, so the
// newest candidate has the largest stamp.
void pickCurrentSlot(ToneEngine& e) {
  const int best = newestCandidate(e.noteOrder);
  if (best < 0) {
    e.gate = false;  // release at the last pitch
    return;
  }
  e.currentSlot = best;
  e.noteVelocity = kVelocityFactors[e.slots[best].velocity & kDataMask];
  e.gate = true;
}

void handleMidiEvent(ToneEngine& e, const QueuedMidiEvent& event) {
  // The queue stores 7-bit data already; masking again keeps every slot index in the table.
  QueuedMidiEvent ev = event;
  ev.data1 &= kDataMask;
  ev.data2 &= kDataMask;
  const uint8_t kind = ev.status & kStatusKindMask;
  // Notes first and told apart in one test: random presses and releases make it a coin toss.
  if ((kind & kNoteKindMask) == kNoteOff) {
    if ((kind == kNoteOn) & (ev.data2 > 0))
      noteOn(e, ev);
    else
      noteOff(e, ev);
  } else if (kind == kControlChange) {
    controlChange(e, ev);
  } else if (kind == kPitchBend) {
    pitchBend(e, ev);
  }
}
