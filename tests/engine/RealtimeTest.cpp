// The processing path, driven as a host drives it, allocates nothing, locks nothing and
// throws nothing: counted by replacing those functions for the whole process.
#include <mutex>
#include <stdexcept>
#include <vector>

#include "gtest/gtest.h"
#include "params/ParamTable.h"
#include "tests/engine/RealtimeHooks.h"
#include "tests/host/TestHost.h"

namespace {

TEST(Realtime, CountersSeeAllocationsLocksAndThrows) {
  std::mutex mutex;
  realtime::startCounting();
  int* leak = new int(3);
  delete leak;
  { const std::lock_guard<std::mutex> hold(mutex); }
  try {
    throw std::runtime_error("counted");
  } catch (const std::exception&) {
  }
  const RealtimeCounts counts = realtime::stopCounting();
  EXPECT_GE(counts.allocations, 2);
  EXPECT_GE(counts.locks, 1);
  EXPECT_GE(counts.throws, 1);
}

// Event blocks prepared before counting starts: a dense mix of every message kind.
struct PreparedEvents {
  std::vector<EventBlock> blocks;
  std::vector<VstEvents*> pointers;
};

PreparedEvents prepareEvents() {
  PreparedEvents p;
  p.blocks.resize(5);
  for (int i = 0; i < 64; ++i) {
    p.blocks[0].add(i * 7, 0x90 | (i % 16), 40 + i, 1 + i);
    p.blocks[0].add(i * 7 + 3, 0x80 | (i % 16), 40 + i, 0);
  }
  p.blocks[1].add(0, 0xB0, 64, 127);
  p.blocks[1].add(5, 0xE0, 0, 0);
  p.blocks[1].add(9, 0xB0, 1, 127);
  p.blocks[1].add(20, 0x90, 60, 100);
  p.blocks[1].add(30, 0x90, 60, 0);
  p.blocks[1].add(40, 0xB0, 64, 0);
  p.blocks[1].add(50, 0xB0, 121, 0);
  p.blocks[1].add(60, 0xB0, 123, 0);
  p.blocks[1].add(900, 0x90, 72, 90);  // carried over
  for (int i = 0; i < 4096; ++i)
    p.blocks[2].add(i % 600, 0xA0, 60, 10);  // fills the queue
  p.blocks[3].add(10, 0x90, 65, 120);        // dropped: no room
  for (int i = 0; i < 4097; ++i)
    p.blocks[4].add(0, 0x90, 60, 1);  // refused whole
  for (EventBlock& b : p.blocks)
    p.pointers.push_back(b.events());
  return p;
}

TEST(Realtime, ProcessingAllocatesNothingLocksNothingAndThrowsNothing) {
  TestPlugin plugin;
  AEffect* e = plugin.effect();
  plugin.set(kVibratoDepth, 0.5f);
  plugin.set(kTremoloDepth, 0.5f);
  plugin.set(kGlide, 0.2f);
  plugin.dispatch(effMainsChanged, 0, 1);
  PreparedEvents events = prepareEvents();
  std::vector<float> left(4096), right(4096);
  std::vector<double> leftD(4096), rightD(4096);
  float* outs[2] = {left.data(), right.data()};
  float* halfOuts[2] = {nullptr, right.data()};
  double* outsD[2] = {leftD.data(), rightD.data()};

  realtime::startCounting();
  for (int round = 0; round < 4; ++round) {
    for (VstEvents* block : events.pointers) {
      e->dispatcher(e, effProcessEvents, 0, 0, block, 0.0f);
      e->setParameter(e, kSquare, 0.1f * round);
      e->processReplacing(e, nullptr, outs, 512);
      e->process(e, nullptr, outs, 4096);
      e->processDoubleReplacing(e, nullptr, outsD, 333);
      e->processReplacing(e, nullptr, halfOuts, 64);
      e->processReplacing(e, nullptr, nullptr, 100);
      e->processReplacing(e, nullptr, outs, 0);
      e->processDoubleReplacing(e, nullptr, outsD, -5);
      e->getParameter(e, kSquare);
    }
  }
  const RealtimeCounts counts = realtime::stopCounting();
  EXPECT_EQ(counts.allocations, 0);
  EXPECT_EQ(counts.locks, 0);
  EXPECT_EQ(counts.throws, 0);
}

}  // namespace
