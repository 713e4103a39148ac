// Blocks full of note events against a block without any, through the engine in process:
// 4,096 note events in one 512-frame block over every channel and key with pedal changes,
// and a phrase of dense chords. The figure to compare is the time per block.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "bench/DenseEvents.h"
#include "engine/BlockProcessor.h"

namespace {

constexpr int32_t kBlock = kDenseBlockFrames;

const double kDefaults[kNumParams] = {0.55, 0.3, 0.15, 0.00266845, 0.055055, 0.0, 0.5, 0.0,
                                      0.25, 0.0, 0.5,  0.5,        0.8,      0.0, 1.0, 0.35};

// Queues the events as a host's event call does.
void queueEvents(MidiEventQueue& queue, const std::vector<TimedEvent>& events) {
  MidiEventWriter writer(queue);
  for (const TimedEvent& e : events)
    writer.append(e.frame, e.status, e.data1, e.data2);
}

struct Instrument {
  std::unique_ptr<ToneEngine> engine = std::make_unique<ToneEngine>();
  std::unique_ptr<MidiEventQueue> queue = std::make_unique<MidiEventQueue>();
  std::unique_ptr<ParamStore[]> params = std::make_unique<ParamStore[]>(kNumParams);
  std::vector<float> left = std::vector<float>(kBlock), right = std::vector<float>(kBlock);

  Instrument() {
    for (int i = 0; i < kNumParams; ++i)
      params[i].store(kDefaults[i]);
    std::memset(queue.get(), 0, sizeof(MidiEventQueue));
    initToneEngine(*engine, kDefaults);
    setSampleRate(*engine, *queue, params.get(), 48000.0);
  }

  void render(const std::vector<TimedEvent>& events) {
    queueEvents(*queue, events);
    float* outs[2] = {left.data(), right.data()};
    processBlock(*engine, *queue, params.get(), outs, kBlock, false);
  }
};

// The blocks one after another, round and round, one per iteration.
void renderInTurn(benchmark::State& state, Instrument& in,
                  const std::vector<std::vector<TimedEvent>>& blocks) {
  size_t next = 0;
  for (auto _ : state) {
    in.render(blocks[next]);
    next = (next + 1) % blocks.size();
    benchmark::DoNotOptimize(in.left[kBlock - 1]);
  }
}

// A note held through blocks without events.
void quietBlock(benchmark::State& state) {
  Instrument in;
  in.render({{0, 0x90, 69, 100}});
  const std::vector<TimedEvent> none;
  for (auto _ : state) {
    in.render(none);
    benchmark::DoNotOptimize(in.left[kBlock - 1]);
  }
}

// What runs of one frame cost: one event on every frame of the block, a controller the voice
// ignores (the runs alone) or a note-on of another key (each frame a new pitch).
enum class EveryFrame { kIgnoredController, kNewKey };

void eventOnEveryFrame(benchmark::State& state) {
  Instrument in;
  in.render({{0, 0x90, 69, 100}});
  std::mt19937 random(3);
  std::vector<std::vector<TimedEvent>> blocks(16);
  for (std::vector<TimedEvent>& block : blocks) {
    for (int32_t frame = 0; frame < kBlock; ++frame) {
      if (static_cast<EveryFrame>(state.range(0)) == EveryFrame::kIgnoredController)
        block.push_back({frame, 0xB0, 7, 100});
      else
        block.push_back({frame, 0x90, static_cast<uint8_t>(random() % 128), 100});
    }
  }
  renderInTurn(state, in, blocks);
}

void blockOf4096NoteEvents(benchmark::State& state) {
  Instrument in;
  std::vector<std::vector<TimedEvent>> blocks;
  for (uint32_t seed = 1; seed <= 16; ++seed)
    blocks.push_back(denseEvents(seed, static_cast<Spread>(state.range(0))));
  renderInTurn(state, in, blocks);
}

// Chords of 8 notes on every 64th frame across the channels, the previous chord released on
// the same frame, the pedal pressed and lifted every other chord.
void denseChords(benchmark::State& state) {
  Instrument in;
  std::vector<TimedEvent> block;
  int chord = 0;
  auto keyOf = [](int c, int n) { return static_cast<uint8_t>(36 + (c * 5 + n * 7) % 60); };
  for (int32_t frame = 0; frame < kBlock; frame += 64, ++chord) {
    for (int n = 0; n < 8; ++n)
      block.push_back({frame, static_cast<uint8_t>(0x80 | (n % 16)), keyOf(chord - 1, n), 0});
    block.push_back({frame, 0xB0, 64, static_cast<uint8_t>(chord % 2 ? 0 : 127)});
    for (int n = 0; n < 8; ++n)
      block.push_back({frame, static_cast<uint8_t>(0x90 | (n % 16)), keyOf(chord, n), 90});
  }
  for (auto _ : state) {
    in.render(block);
    benchmark::DoNotOptimize(in.left[kBlock - 1]);
  }
}

// Only queueing the 4,096 events of a block, as a host's event call does.
void queueing4096NoteEvents(benchmark::State& state) {
  Instrument in;
  const std::vector<TimedEvent> events = denseEvents(1);
  for (auto _ : state) {
    queueEvents(*in.queue, events);
    benchmark::DoNotOptimize(in.queue->count);
    in.queue->count = 0;
  }
}

BENCHMARK(quietBlock);
BENCHMARK(eventOnEveryFrame)
    ->Arg(static_cast<int>(EveryFrame::kIgnoredController))
    ->Arg(static_cast<int>(EveryFrame::kNewKey));
BENCHMARK(blockOf4096NoteEvents)
    ->Arg(static_cast<int>(Spread::kRandomFrames))
    ->Arg(static_cast<int>(Spread::kFrameZero))
    ->Arg(static_cast<int>(Spread::kFrameZeroTakingTurns));
BENCHMARK(queueing4096NoteEvents);
BENCHMARK(denseChords);

}  // namespace

BENCHMARK_MAIN();
