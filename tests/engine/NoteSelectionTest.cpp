// The note selection against a full scan of the note table: millions of random events over
// every channel, with same-note repeats, the pedal, velocity-0 note-offs and the channel-mode
// controllers, must leave the same sounding slot, gate and velocity after every event, and
// after every frame when a frame's events are handed over together.
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "engine/NoteLogic.h"
#include "gtest/gtest.h"
#include "tests/engine/UnitEngine.h"

namespace {

// The note state as the full scan keeps it: every event that selects scans all 2048 slots.
struct ScannedNotes {
  bool held[kNumNoteSlots] = {};
  uint64_t stamp[kNumNoteSlots] = {};
  double velocity[kNumNoteSlots];
  uint64_t counter = 0;
  bool sustainDown = false;
  bool gate = false;
  int32_t currentSlot = -1;
  double noteVelocity = 1.0;

  ScannedNotes() { idle(); }

  void idle() {
    for (int i = 0; i < kNumNoteSlots; ++i) {
      held[i] = false;
      stamp[i] = 0;
      velocity[i] = 1.0;
    }
  }

  void forgetReleased() {
    for (int i = 0; i < kNumNoteSlots; ++i)
      if (!held[i]) stamp[i] = 0;
  }

  void pick() {
    uint64_t bestStamp = 0;
    int best = -1;
    for (int i = 0; i < kNumNoteSlots; ++i) {
      if ((held[i] || sustainDown) && stamp[i] > bestStamp) {
        bestStamp = stamp[i];
        best = i;
      }
    }
    if (best < 0) {
      gate = false;
      return;
    }
    currentSlot = best;
    noteVelocity = velocity[best];
    gate = true;
  }

  void handle(uint8_t status, uint8_t data1, uint8_t data2) {
    const int slot = (status & 0x0F) * 128 + data1;
    const int kind = status & 0xF0;
    if (kind == 0x90 && data2 > 0) {
      held[slot] = true;
      stamp[slot] = ++counter;
      velocity[slot] = data2 / 127.0;
      pick();
    } else if (kind == 0x90 || kind == 0x80) {
      held[slot] = false;
      if (!sustainDown) stamp[slot] = 0;
      pick();
    } else if (kind == 0xB0 && data1 == 64) {
      sustainDown = data2 >= 64;
      if (!sustainDown) {
        forgetReleased();
        pick();
      }
    } else if (kind == 0xB0 && (data1 == 120 || data1 == 123)) {
      idle();
      gate = false;
      sustainDown = false;
    } else if (kind == 0xB0 && data1 == 121) {
      sustainDown = false;
      forgetReleased();
      pick();
    }
  }
};

#if defined(__SANITIZE_ADDRESS__)
constexpr int kEvents = 200'000;  // the sanitized scan is many times slower
#else
constexpr int kEvents = 2'000'000;
#endif

// Random events in stretches: a stretch plays within a window of keys on some channels, so
// that the same keys come back often, and changes the pedal and the mode controllers at
// its own rates.
class EventSource {
 public:
  explicit EventSource(uint32_t seed) : random_(seed) {}

  QueuedMidiEvent next() {
    if (left_-- <= 0) newStretch();
    const uint32_t roll = below(1000);
    const uint8_t channel = static_cast<uint8_t>(firstChannel_ + below(channels_));
    const uint8_t note = static_cast<uint8_t>(firstNote_ + below(notes_));
    if (roll < pedalPerMille_) return event(0xB0, 64, static_cast<uint8_t>(60 + below(8)));
    if (roll < pedalPerMille_ + modePerMille_) {
      constexpr uint8_t kModes[] = {120, 121, 123};
      return event(0xB0, kModes[below(3)], 0);
    }
    if (roll < 560) return event(0x90 | channel, note, static_cast<uint8_t>(1 + below(127)));
    if (roll < 640) return event(0x90 | channel, note, 0);
    return event(0x80 | channel, note, static_cast<uint8_t>(below(128)));
  }

 private:
  uint32_t below(uint32_t n) { return static_cast<uint32_t>(random_() % n); }

  static QueuedMidiEvent event(int status, uint8_t data1, uint8_t data2) {
    return {0, static_cast<uint8_t>(status), data1, data2, 0};
  }

  void newStretch() {
    left_ = static_cast<int>(1 + below(5000));
    channels_ = below(4) == 0 ? 16 : 1 + below(2);
    firstChannel_ = below(17 - channels_);
    notes_ = below(3) == 0 ? 128 : 1 + below(6);
    firstNote_ = below(129 - notes_);
    pedalPerMille_ = below(3) == 0 ? 0 : below(60);
    modePerMille_ = below(4) == 0 ? below(5) : 0;
  }

  std::mt19937 random_;
  int left_ = 0;
  uint32_t channels_ = 1, firstChannel_ = 0, notes_ = 1, firstNote_ = 0;
  uint32_t pedalPerMille_ = 0, modePerMille_ = 0;
};

// Handed over one at a time, the events must leave the scan's selection after each of them.
TEST(NoteSelection, EqualsTheFullScanAfterEveryEvent) {
  UnitEngine unit;
  ToneEngine& e = *unit.engine;
  ScannedNotes scan;
  EventSource source(20261208);
  int held = 0, sustained = 0;
  for (int i = 0; i < kEvents; ++i) {
    const QueuedMidiEvent ev = source.next();
    handleMidiEvent(e, ev);
    scan.handle(ev.status, ev.data1, ev.data2);
    ASSERT_EQ(e.gate, scan.gate) << "event " << i;
    ASSERT_EQ(e.currentSlot, scan.currentSlot) << "event " << i;
    ASSERT_EQ(e.noteVelocity, scan.noteVelocity) << "event " << i;
    ASSERT_EQ(e.sustainDown, scan.sustainDown) << "event " << i;
    held += e.gate && scan.held[scan.currentSlot];
    sustained += e.gate && !scan.held[scan.currentSlot];
  }
  // The events must have reached the cases that matter: held and sustained selections alike.
  EXPECT_GT(held, kEvents / 10);
  EXPECT_GT(sustained, kEvents / 100);
  // The table itself: each slot held and a candidate as the scan's, each candidate with its
  // last press's velocity (7-bit in the table), the candidates in the order of their presses.
  const NoteTable& t = e.notes;
  for (int i = 0; i < kNumNoteSlots; ++i) {
    ASSERT_EQ((t.slots[i].flags & kSlotHeld) != 0, scan.held[i]) << "slot " << i;
    ASSERT_EQ(isCandidate(t, i), scan.stamp[i] != 0) << "slot " << i;
    if (scan.stamp[i] != 0) {
      ASSERT_EQ(t.slots[i].velocity / 127.0, scan.velocity[i]) << "slot " << i;
    }
  }
  uint64_t newer = UINT64_MAX;
  for (int slot = t.slots[NoteTable::kAnchor].older; slot != NoteTable::kAnchor;
       slot = t.slots[slot].older) {
    ASSERT_LT(scan.stamp[slot], newer) << "slot " << slot;
    newer = scan.stamp[slot];
  }
}

// The scan's note state after a frame, and whether the frame's presses retrigger.
struct FrameState {
  bool gate;
  int32_t currentSlot;
  double noteVelocity;
  bool retrigger;
};

// Hands the frames' events to the engine as a driver does and calls `check(frame)` once the
// voice holds the note state after frame `frame`.
using FrameDriver = void (*)(ToneEngine& e, const std::vector<QueuedMidiEvent>& events,
                             const std::function<void(int32_t)>& check);

// One frame at a time, the voice taking each frame's selection at once.
void frameByFrame(ToneEngine& e, const std::vector<QueuedMidiEvent>& events,
                  const std::function<void(int32_t)>& check) {
  const auto count = static_cast<int32_t>(events.size());
  for (int32_t next = 0; next < count;) {
    const int32_t frame = events[static_cast<size_t>(next)].frame;
    e.retriggerCountdown = 0.0;
    next += handleFrameEvents(e, events.data() + next, count - next);
    check(frame);
  }
}

// As the block renders: the selections of many frames worked out ahead, then taken over one
// by one; events that the voice must hear at once handled frame by frame.
void framesAhead(ToneEngine& e, const std::vector<QueuedMidiEvent>& events,
                 const std::function<void(int32_t)>& check) {
  constexpr int32_t kAhead = 16;
  NoteFrame notes[kAhead];
  const auto count = static_cast<int32_t>(events.size());
  const int32_t endFrame = events.back().frame + 1;
  int32_t opened = -1;  // the frame whose retrigger the voice has started taking
  const auto open = [&](int32_t frame) {
    if (frame != opened) e.retriggerCountdown = 0.0;
    opened = frame;
  };
  for (int32_t next = 0; next < count;) {
    const NoteFrames taken =
        selectNoteFrames(e, events.data() + next, count - next, endFrame, notes, kAhead);
    if (taken.frames == 0) {
      const int32_t frame = events[static_cast<size_t>(next)].frame;
      open(frame);
      next += handleFrameEvents(e, events.data() + next, count - next);
      check(frame);
      continue;
    }
    next += taken.events;
    for (int32_t i = 0; i < taken.frames; ++i) {
      open(notes[i].frame);
      applyNoteFrame(e, notes[i]);
      // A frame whose later events wait for the voice is not done yet.
      if (next < count && events[static_cast<size_t>(next)].frame == notes[i].frame) break;
      check(notes[i].frame);
    }
  }
}

class FrameSelection : public testing::TestWithParam<FrameDriver> {};

// Handed over a frame at a time, from one event to dozens, the events must leave the scan's
// selection after the frame's last: a note pressed and released within a frame is the pitch
// the gate closes at, a press after a candidate retriggers.
TEST_P(FrameSelection, EqualsTheFullScanAfterEveryFrame) {
  UnitEngine unit;
  ToneEngine& e = *unit.engine;
  ScannedNotes scan;
  e.blockParams[kLegato] = 0.0;  // presses over a candidate retrigger
  EventSource source(20261210);
  std::mt19937 sizes(7);
  std::vector<QueuedMidiEvent> events;
  std::vector<FrameState> expected;
  int retriggers = 0, checked = 0;
  for (int block = 0; checked < kEvents / 10; ++block) {
    // A block of consecutive frames; now and then a frame with a pitch bend or the
    // modulation wheel among its note events, which the voice hears at once.
    events.clear();
    expected.clear();
    for (int32_t frame = 0; frame < 64; ++frame) {
      const size_t size = sizes() % 4 == 0 ? 1 + sizes() % 40 : 1 + sizes() % 3;
      bool retrigger = false;
      for (size_t k = 0; k < size; ++k) {
        QueuedMidiEvent ev = source.next();
        if (sizes() % 200 == 0) ev = {0, static_cast<uint8_t>(sizes() % 2 ? 0xE0 : 0xB0), 1, 64, 0};
        ev.frame = frame;
        retrigger |= scan.gate && (ev.status & 0xF0) == 0x90 && ev.data2 > 0;
        scan.handle(ev.status, ev.data1, ev.data2);
        events.push_back(ev);
      }
      expected.push_back({scan.gate, scan.currentSlot, scan.noteVelocity, retrigger});
      retriggers += retrigger;
    }
    GetParam()(e, events, [&](int32_t frame) {
      const FrameState& want = expected[static_cast<size_t>(frame)];
      ASSERT_EQ(e.gate, want.gate) << "block " << block << " frame " << frame;
      ASSERT_EQ(e.currentSlot, want.currentSlot) << "block " << block << " frame " << frame;
      ASSERT_EQ(e.noteVelocity, want.noteVelocity) << "block " << block << " frame " << frame;
      ASSERT_EQ(e.retriggerCountdown > 0.0, want.retrigger)
          << "block " << block << " frame " << frame;
      ++checked;
    });
    if (HasFatalFailure()) return;
  }
  EXPECT_GT(retriggers, checked / 20);
}

INSTANTIATE_TEST_SUITE_P(Drivers, FrameSelection, testing::Values(frameByFrame, framesAhead),
                         [](const testing::TestParamInfo<FrameDriver>& info) {
                           return info.param == frameByFrame ? "FrameByFrame" : "FramesAhead";
                         });

// A reset in the middle forgets the candidates with the slots.
TEST(NoteSelection, ResetForgetsEveryCandidate) {
  UnitEngine unit;
  ToneEngine& e = *unit.engine;
  handleMidiEvent(e, {0, 0x90, 60, 100, 0});
  handleMidiEvent(e, {0, 0xB0, 64, 127, 0});
  handleMidiEvent(e, {0, 0x93, 61, 100, 0});
  handleMidiEvent(e, {0, 0x83, 61, 0, 0});
  resetEngine(e, *unit.queue, unit.params.get(), true);
  handleMidiEvent(e, {0, 0x91, 62, 50, 0});
  handleMidiEvent(e, {0, 0x81, 62, 0, 0});
  EXPECT_FALSE(e.gate);
  EXPECT_EQ(e.currentSlot, 128 + 62);
  handleMidiEvent(e, {0, 0xB0, 64, 0, 0});
  EXPECT_FALSE(e.gate) << "the slots held before the reset must not come back";
}

}  // namespace
