// The note state that the voice reads between frames, as the events of one frame leave it. The
// note logic writes it and the voice takes it over just before rendering the frame, so that
// the note events of many frames can be worked through before those frames are rendered.
#pragma once

#include <array>
#include <cstdint>

#include "engine/ToneEngine.h"
#include "engine/VoiceConstants.h"

// Eight bytes: one for each frame that has events.
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

// The note state that the voice reads.
struct VoiceNotes {
  bool gate;
  int32_t slot;
  double velocity;
  double retriggerCountdown;
};

// The note state after the voice takes over the frame's; a retrigger fade lasts `fadeFrames`.
// By value, so that a loop over many frames keeps it in registers.
[[gnu::always_inline]] inline VoiceNotes afterNoteFrame(VoiceNotes v, const NoteFrame& n,
                                                        double fadeFrames) {
  v.gate = n.gate();
  if (n.selects()) {
    v.slot = n.slot;
    v.velocity = kVelocityFactors[n.velocity & 0x7F];
  }
  if (n.retrigger()) v.retriggerCountdown = fadeFrames;
  return v;
}

inline void applyNoteFrame(ToneEngine& e, const NoteFrame& n) {
  const VoiceNotes v = afterNoteFrame({e.gate, e.currentSlot, e.noteVelocity, e.retriggerCountdown},
                                      n, retriggerFrames(e));
  e.gate = v.gate;
  e.currentSlot = v.slot;
  e.noteVelocity = v.velocity;
  e.retriggerCountdown = v.retriggerCountdown;
}
