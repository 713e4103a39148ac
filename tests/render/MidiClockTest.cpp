// Ticks to frames: rounding to the nearest frame, tempo changes, time-code files.
#include "gtest/gtest.h"
#include "tests/render/TestFiles.h"
#include "tools/render/EventSchedule.h"
#include "tools/render/MidiClock.h"

namespace {

MidiFile read(const std::string& name) {
  MidiFile file;
  std::string error;
  EXPECT_TRUE(readMidiFile(testfiles::data(name), file, error)) << error;
  return file;
}

TEST(MidiClock, RoundsTicksToTheNearestFrameAcrossTempoChanges) {
  const MidiClock clock(read("timing.mid"), 44100);
  EXPECT_EQ(clock.frameAt(0), 0u);
  EXPECT_EQ(clock.frameAt(1), 46u) << "45.9375 frames";
  EXPECT_EQ(clock.frameAt(8), 368u) << "367.5 frames: halves round up";
  EXPECT_EQ(clock.frameAt(480), 22050u);
  EXPECT_EQ(clock.frameAt(960), 44100u);
  EXPECT_EQ(clock.frameAt(1440), 55125u) << "240 per minute after tick 960";
  EXPECT_EQ(clock.frameAt(1920), 66150u);
  EXPECT_EQ(clock.frameAt(2400), 110250u) << "60 per minute after tick 1920";
  EXPECT_DOUBLE_EQ(clock.secondsAt(2400), 2.5);
}

TEST(MidiClock, WithoutTempoEventsPlaysAt120PerMinute) {
  MidiFile f;
  f.ticksPerQuarter = 96;
  const MidiClock clock(f, 48000);
  EXPECT_EQ(clock.frameAt(96), 24000u);
  EXPECT_DOUBLE_EQ(clock.tempoAt(0), 120.0);
}

TEST(MidiClock, LongFilesDoNotDrift) {
  MidiFile f;
  f.ticksPerQuarter = 960;
  f.tempos = {{0, 600001}};  // an awkward tempo: 0.625001 ms per tick
  const MidiClock clock(f, 44100);
  const uint64_t hourOfTicks = 960ull * 6000;  // 6000 quarters of 0.600001 s
  EXPECT_EQ(clock.frameAt(hourOfTicks), 158760265u) << "3600.006 s at 44100 Hz";
}

TEST(MidiClock, TransportFollowsTheTempo) {
  const MidiClock clock(read("timing.mid"), 44100);
  EXPECT_DOUBLE_EQ(clock.tempoAt(0), 120.0);
  EXPECT_DOUBLE_EQ(clock.tempoAt(44099), 120.0);
  EXPECT_DOUBLE_EQ(clock.tempoAt(44100), 240.0);
  EXPECT_DOUBLE_EQ(clock.tempoAt(66150), 60.0);
  EXPECT_NEAR(clock.quarterAt(55125), 3.0, 1e-9);
  EXPECT_NEAR(clock.quarterAt(110250), 5.0, 1e-9);
}

TEST(MidiClock, TimeCodeFilesIgnoreTempo) {
  const MidiClock at25(read("timecode25.mid"), 48000);
  EXPECT_EQ(at25.frameAt(40), 1920u) << "one tick is one millisecond";
  EXPECT_EQ(at25.frameAt(1000), 48000u);
  const MidiClock at2997(read("timecode2997.mid"), 44100);
  EXPECT_EQ(at2997.frameAt(2400), 44144u) << "1.001 s";
}

TEST(EventSchedule, StampsEveryMessageWithItsFrame) {
  const MidiFile f = read("timing.mid");
  const MidiClock clock(f, 44100);
  const std::vector<ScheduledEvent> events = scheduleEvents(f, clock);
  ASSERT_EQ(events.size(), f.messages.size());
  for (size_t i = 0; i < events.size(); ++i) {
    EXPECT_EQ(events[i].frame, clock.frameAt(f.messages[i].tick));
    EXPECT_EQ(events[i].bytes[0], f.messages[i].bytes[0]);
  }
  EXPECT_EQ(events.back().frame, clock.frameAt(2410));
}

}  // namespace
