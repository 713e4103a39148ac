// The event queue's storage, ordering and carry-over, and a negative block that must touch
// nothing.
#include <cstring>
#include <memory>
#include <vector>

#include "gtest/gtest.h"
#include "tests/engine/UnitEngine.h"

namespace {

// Each event's first data byte tells its arrival.
struct Engine : UnitEngine {
  uint8_t arrivals = 0;
  void add(int32_t frame, uint8_t status) { UnitEngine::add(frame, status, arrivals++, 100); }
};

TEST(Queue, AppendClampsNegativeFramesMasksDataAndStopsWhenFull) {
  Engine e;
  EXPECT_TRUE(appendMidiEvent(*e.queue, -7, 0x93, 0xC5, 0xFF));
  EXPECT_EQ(e.queue->events[0].frame, 0);
  EXPECT_EQ(e.queue->events[0].status, 0x93);
  EXPECT_EQ(e.queue->events[0].data1, 0x45);
  EXPECT_EQ(e.queue->events[0].data2, 0x7F);
  while (e.queue->count < kMidiQueueCapacity)
    EXPECT_TRUE(appendMidiEvent(*e.queue, e.queue->count, 0x90, 1, 1));
  EXPECT_EQ(e.queue->events[kMidiQueueCapacity - 1].frame, kMidiQueueCapacity - 1);
  EXPECT_FALSE(appendMidiEvent(*e.queue, 5, 0x80, 1, 0));
  EXPECT_EQ(e.queue->count, kMidiQueueCapacity);
}

// Queues in reverse order of frames, each frame twice: every event once after the sort, by
// frame, then by arrival. The merge passes over runs of every width, and its last pass ends in
// the sort space as often as in the queue.
TEST(Queue, SortsByFrameThenArrival) {
  for (int32_t count : {kMidiQueueCapacity, 2000, 3}) {
    Engine e;
    for (int32_t i = 0; i < count; ++i)
      appendMidiEvent(*e.queue, (count - i) / 2, 0xB0, i & 0x7F, static_cast<uint8_t>(i >> 7));
    sortQueue(*e.queue);
    ASSERT_EQ(e.queue->count, count);
    const auto arrival = [](const QueuedMidiEvent& ev) { return ev.data2 << 7 | ev.data1; };
    std::vector<bool> seen(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
      const QueuedMidiEvent& b = e.queue->events[i];
      ASSERT_FALSE(seen[static_cast<size_t>(arrival(b))]) << count << " " << i;
      seen[static_cast<size_t>(arrival(b))] = true;
      if (i == 0) continue;
      const QueuedMidiEvent& a = e.queue->events[i - 1];
      ASSERT_TRUE(a.frame < b.frame || (a.frame == b.frame && arrival(a) < arrival(b)))
          << count << " " << i;
    }
  }
}

TEST(Queue, CarryOverShiftsFramesAndRenumbersFromZero) {
  Engine e;
  for (int32_t frame : {5, 520, 700, 1000})
    e.add(frame, 0xB0);
  carryOver(*e.queue, 1, 512);
  ASSERT_EQ(e.queue->count, 3);
  const int32_t frames[] = {8, 188, 488};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(e.queue->events[i].frame, frames[i]);
    EXPECT_EQ(e.queue->events[i].data1, i + 1);
  }
}

// Events carried into the next block count for the order of those queued after them.
TEST(Queue, AnEventBeforeACarriedOneIsSortedInFront) {
  Engine e;
  for (int32_t frame : {5, 700})
    e.add(frame, 0xB0);
  carryOver(*e.queue, 1, 512);
  e.add(100, 0xB1);
  sortQueue(*e.queue);
  ASSERT_EQ(e.queue->count, 2);
  EXPECT_EQ(e.queue->events[0].frame, 100);
  EXPECT_EQ(e.queue->events[1].frame, 188);
}

TEST(Queue, ZeroFrameBlockKeepsEveryEventInOrder) {
  Engine e;
  for (int32_t frame : {9, 0, 4})
    e.add(frame, 0xB0);
  processBlock(*e.engine, *e.queue, e.params.get(), nullptr, 0, false);
  ASSERT_EQ(e.queue->count, 3);
  const int32_t frames[] = {0, 4, 9};
  const uint8_t arrivals[] = {1, 2, 0};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(e.queue->events[i].frame, frames[i]);
    EXPECT_EQ(e.queue->events[i].data1, arrivals[i]);
  }
}

TEST(Queue, NegativeBlockLeavesEngineAndQueueUntouched) {
  Engine e;
  e.add(3, 0x90);
  e.params[kSquare].store(0.9);
  auto engineBefore = std::make_unique<ToneEngine>(*e.engine);
  auto queueBefore = std::make_unique<MidiEventQueue>(*e.queue);
  processBlock(*e.engine, *e.queue, e.params.get(), nullptr, -1, true);
  processBlockDouble(*e.engine, *e.queue, e.params.get(), nullptr, -4096);
  EXPECT_EQ(std::memcmp(engineBefore.get(), e.engine.get(), sizeof(ToneEngine)), 0);
  EXPECT_EQ(std::memcmp(queueBefore.get(), e.queue.get(), sizeof(MidiEventQueue)), 0);
}

}  // namespace
