// The note state that the voice reads between frames, as the events of one frame leave it. The
// note logic writes it and the voice takes it over just before rendering the frame, so that
// the note events of many frames can be worked through before those frames are rendered.
#pragma once

#include <array>
#include <cstdint>

#include "engine/ToneEngine.h"
#include "engine/VoiceConstants.h"

// Eight bytes: the note logic writes one after every note event.
struct NoteFrame {
  static constexpr uint8_t kGate = 1;
  static constexpr uint8_t kRetrigger = 2;  // a retrigger fade starts

  int32_t frame;     // of the block
  int16_t slot;      // the slot that sounds; kNumNoteSlots or more where it stays as it was
  uint8_t velocity;  // the 7-bit velocity of that slot's press
  uint8_t flags;     // kGate, kRetrigger

  bool gate() const { return (flags & kGate) != 0; }
  bool retrigger() const { return (flags & kRetrigger) != 0; }
  bool selects() const { return slot >= 0 && slot < kNumNoteSlots; }
};

// The note state of a frame without a note event, after one whose gate was `gate`.
inline NoteFrame unchangedNotes(int32_t frame, bool gate) {
  return {frame, kNumNoteSlots, 0, gate ? NoteFrame::kGate : uint8_t{0}};
}

// Each 7-bit velocity divided by 127, the same quotients as at run time.
inline constexpr std::array<double, 128> kVelocityFactors = [] {
  std::array<double, 128> factors{};
  for (int v = 0; v < 128; ++v)
    factors[v] = v / 127.0;
  return factors;
}();

inline double retriggerFrames(const ToneEngine& e) {
  return voice::kRetriggerFadeSeconds * e.sampleRate;
}

// The voice takes over the frame's note state.
inline void applyNoteFrame(ToneEngine& e, const NoteFrame& n) {
  e.gate = n.gate();
  if (n.selects()) {
    e.currentSlot = n.slot;
    e.noteVelocity = kVelocityFactors[n.velocity & 0x7F];
  }
  if (n.retrigger()) e.retriggerCountdown = retriggerFrames(e);
}
