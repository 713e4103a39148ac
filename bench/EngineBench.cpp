// processReplacing with a held note, vibrato, tremolo and glide active: nanoseconds per
// output frame and the real-time factor, per sample rate and block size.
#include <benchmark/benchmark.h>

#include "bench/HeldNote.h"

namespace {

void processReplacingHeldNote(benchmark::State& state) {
  const double rate = static_cast<double>(state.range(0));
  const int block = static_cast<int>(state.range(1));
  HeldNote note(rate, block);
  for (auto _ : state) {
    note.renderBlock();
    benchmark::DoNotOptimize(note.lastSample());
  }
  const double frames = static_cast<double>(state.iterations()) * block;
  state.counters["per_frame"] =
      benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["realtime_x"] = benchmark::Counter(frames / rate, benchmark::Counter::kIsRate);
}

BENCHMARK(processReplacingHeldNote)
    ->ArgNames({"rate", "block"})
    ->ArgsProduct({{44100, 48000, 96000}, {32, 512, 4096}});

}  // namespace

BENCHMARK_MAIN();
