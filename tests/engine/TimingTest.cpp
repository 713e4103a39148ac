// Sample-accurate timing: where in the output a note starts, whatever the block size, and
// how events beyond a block, on one frame, or beyond the queue's room are handled.
#include <vector>

#include "gtest/gtest.h"
#include "tests/engine/Performance.h"
#include "tests/engine/SignalMeasure.h"

namespace {

// Sends one effProcessEvents call; returns the dispatcher's answer.
intptr_t send(Performance& p, EventBlock& block) {
  return p.plugin().dispatch(effProcessEvents, 0, 0, block.events());
}

// Renders `frames` through processDoubleReplacing without the score.
Signal renderRaw(Performance& p, int frames) {
  Signal left(frames), right(frames);
  double* outs[2] = {left.data(), right.data()};
  p.effect()->processDoubleReplacing(p.effect(), nullptr, outs, frames);
  return left;
}

void append(Signal& to, const Signal& more) {
  to.insert(to.end(), more.begin(), more.end());
}

TEST(Timing, NoteStartsAtItsFrameForAnyBlockSize) {
  for (int64_t k : {0, 1, 100, 511, 512, 1000, 4095}) {
    Signal reference;
    for (int block : {512, 1, 13, 64, 100, 4096}) {
      Performance p;
      p.noteOn(k, 69);
      const Signal x = p.render(8192, block);
      EXPECT_EQ(firstNonZero(x), static_cast<size_t>(k)) << "note at " << k << ", block " << block;
      if (reference.empty())
        reference = x;
      else
        EXPECT_EQ(x, reference) << "note at " << k << ", block " << block;
    }
  }
}

TEST(Timing, EventsBeyondTheBlockWaitForTheirFrame) {
  Performance p;
  EventBlock block;
  block.add(700, 0x90, 69, 127);
  ASSERT_EQ(send(p, block), 1);
  Signal x = renderRaw(p, 512);  // handled at frame 188 of the next block...
  append(x, renderRaw(p, 100));  // ...which has only 100 frames: again carried, to frame 88
  append(x, renderRaw(p, 512));
  EXPECT_EQ(firstNonZero(x), 700u);
}

TEST(Timing, NegativeDeltaIsHandledAtTheFirstFrame) {
  Performance p;
  EventBlock block;
  block.add(-5, 0x90, 69, 127);
  send(p, block);
  EXPECT_EQ(firstNonZero(renderRaw(p, 64)), 0u);
}

TEST(Timing, EventsOnOneFrameApplyInArrivalOrderAcrossCalls) {
  // On then off on frame 10, in two calls: the key is up before frame 10 is rendered.
  Performance onOff;
  EventBlock on, off;
  on.add(10, 0x90, 69, 127);
  off.add(10, 0x80, 69, 0);
  send(onOff, on);
  send(onOff, off);
  EXPECT_EQ(peakLevel(renderRaw(onOff, 512), 0, 512), 0.0);

  // Off then on: the note sounds from frame 10.
  Performance offOn;
  EventBlock off2, on2;
  off2.add(10, 0x80, 69, 0);
  on2.add(10, 0x90, 69, 127);
  send(offOn, off2);
  send(offOn, on2);
  EXPECT_EQ(firstNonZero(renderRaw(offOn, 512)), 10u);

  // Two notes on one frame: the later arrival is the sounding one.
  Performance both;
  both.useCleanSine();
  both.reset();
  EventBlock first, later;
  first.add(10, 0x90, 81, 127);
  later.add(10, 0x90, 57, 127);
  send(both, first);
  send(both, later);
  const Signal x = renderRaw(both, 4410);
  EXPECT_NEAR(crossingFrequency(x, 200, x.size(), 44100.0), 220.0, 0.1);
}

TEST(Timing, FullQueueDropsFurtherEventsUntilABlockConsumesThem) {
  Performance p;
  EventBlock filler, note;
  for (int i = 0; i < 4096; ++i)
    filler.add(0, 0xB0, 7, 100);  // volume: not used
  note.add(0, 0x90, 69, 127);
  ASSERT_EQ(send(p, filler), 1);
  EXPECT_EQ(send(p, note), 1);  // taken, but its event finds no room
  EXPECT_EQ(peakLevel(renderRaw(p, 512), 0, 512), 0.0);
  send(p, note);
  EXPECT_EQ(firstNonZero(renderRaw(p, 512)), 0u);
}

TEST(Timing, BlockOfMoreThan4096EventsIsRefusedWhole) {
  Performance p;
  EventBlock events;
  events.add(0, 0x90, 69, 127);
  for (int i = 0; i < 4096; ++i)
    events.add(0, 0xB0, 7, 100);
  EXPECT_EQ(send(p, events), 0);
  EXPECT_EQ(peakLevel(renderRaw(p, 512), 0, 512), 0.0);
}

TEST(Timing, ZeroFrameBlockKeepsEventsAtTheirFrames) {
  Performance p;
  EventBlock block;
  block.add(100, 0x90, 69, 127);
  send(p, block);
  renderRaw(p, 0);
  EXPECT_EQ(firstNonZero(renderRaw(p, 512)), 100u);
}

}  // namespace
