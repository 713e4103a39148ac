// A block holding EVENTS note events against a block without events, through VST 2 binaries
// driven as a host drives them (effProcessEvents, then processReplacing of 512 frames at
// 48000 Hz, single precision, default program), the binaries taking turns in each round:
//   peer_events ROUNDS EVENTS PLUGIN...
// The quiet block renders a held A4 in one instance; the event blocks go to a second
// instance, 16 different blocks in turn. Prints one line per binary: the medians over the
// rounds of each round's median time of the two calls, in µs, and of the ratio; then how many
// events of one block the binary acts on at most, as heard (a binary may drop those past a
// limit of its own, and then does less work than the block asks).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/DenseEvents.h"
#include "tools/host/HostedPlugin.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kRate = 48000.0;
constexpr int kBlocksPerRound = 64;
constexpr int kEventBlocks = 16;

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Peer {
  PluginModule module;
  HostedPlugin quiet, busy;
  std::vector<double> quietMedians, busyMedians;  // one per round
};

bool start(HostedPlugin& instance, const PluginModule& module) {
  if (!instance.create(module) || !instance.configure(kRate, kDenseBlockFrames, Precision::Single))
    return false;
  instance.resume();
  return true;
}

// Whether a note-on that follows `before` other events in one block is heard: note-offs of a
// key that is not sounding, so that only a limit on the events can silence the note.
bool heardAfter(const PluginModule& module, int before) {
  HostedPlugin instance;
  if (!start(instance, module)) return false;
  EventBlock block(static_cast<size_t>(before) + 1), none(1);
  for (int i = 0; i < before; ++i)
    block.add(0, 0x80, 10, 0);
  block.add(0, 0x90, 69, 100);
  instance.sendEvents(block);
  float peak = 0.0f;
  for (int b = 0; b < 10; ++b) {
    instance.process(kDenseBlockFrames);
    for (int32_t f = 0; f < kDenseBlockFrames; ++f)
      peak = std::max(peak, std::abs(instance.floatOutput(0)[f]));
    instance.sendEvents(none);
  }
  return peak > 0.0f;
}

// The most events of one block the binary acts on, to a power of two, up to `events`.
int keptEvents(const PluginModule& module, int events) {
  int kept = events;
  while (kept > 1 && !heardAfter(module, kept - 1))
    kept /= 2;
  return kept;
}

// Microseconds of one block: its events, then its frames. The events are written just before,
// as a host fills its event block from its sequencer for each audio block.
double timedBlock(HostedPlugin& instance, EventBlock& block,
                  const std::vector<TimedEvent>& events) {
  block.clear();
  for (const TimedEvent& e : events)
    block.add(e.frame, e.status, e.data1, e.data2);
  VstEvents* list = block.events();
  const Clock::time_point begin = Clock::now();
  if (!block.empty()) instance.dispatch(effProcessEvents, 0, 0, list);
  instance.process(kDenseBlockFrames);
  return std::chrono::duration<double, std::micro>(Clock::now() - begin).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || std::atoi(argv[1]) < 1 || std::atoi(argv[2]) < 1 ||
      std::atoi(argv[2]) > kDenseEventCount) {
    std::fprintf(stderr, "usage: %s ROUNDS EVENTS(1 to %d) PLUGIN...\n", argv[0], kDenseEventCount);
    return 2;
  }
  const int rounds = std::atoi(argv[1]);
  const int events = std::atoi(argv[2]);
  constexpr int kFirstPlugin = 3;
  std::vector<std::unique_ptr<Peer>> peers;
  for (int i = kFirstPlugin; i < argc; ++i) {
    auto peer = std::make_unique<Peer>();
    if (!peer->module.load(argv[i]) || !start(peer->quiet, peer->module) ||
        !start(peer->busy, peer->module)) {
      std::fprintf(stderr, "cannot run %s\n", argv[i]);
      return 1;
    }
    EventBlock held(1);
    held.add(0, 0x90, 69, 100);
    peer->quiet.sendEvents(held);
    for (double done = 0; done < kRate; done += kDenseBlockFrames)
      peer->quiet.process(kDenseBlockFrames);
    peers.push_back(std::move(peer));
  }
  std::vector<std::vector<TimedEvent>> blocks;
  for (uint32_t seed = 1; seed <= kEventBlocks; ++seed)
    blocks.push_back(denseEvents(seed, Spread::kRandomFrames, events));
  EventBlock live(static_cast<size_t>(events));
  const std::vector<TimedEvent> none;

  for (int round = 0; round < rounds; ++round) {
    for (auto& peer : peers) {
      std::vector<double> quiet, busy;
      for (int b = 0; b < kBlocksPerRound; ++b)
        quiet.push_back(timedBlock(peer->quiet, live, none));
      for (int b = 0; b < kBlocksPerRound; ++b)
        busy.push_back(timedBlock(peer->busy, live, blocks[static_cast<size_t>(b % kEventBlocks)]));
      peer->quietMedians.push_back(median(quiet));
      peer->busyMedians.push_back(median(busy));
    }
  }
  for (size_t i = 0; i < peers.size(); ++i) {
    const Peer& p = *peers[i];
    std::vector<double> ratios;
    for (size_t r = 0; r < p.busyMedians.size(); ++r)
      ratios.push_back(p.busyMedians[r] / p.quietMedians[r]);
    std::printf("%s %.2f %.2f %.1f %d\n", argv[i + kFirstPlugin], median(p.quietMedians),
                median(p.busyMedians), median(ratios), keptEvents(p.module, events));
  }
  return 0;
}
