// Renders a MIDI file through an in-process instance of the instrument with the engine's
// stages in one vector form, as brisalonde-render does through the plug-in binary (single
// precision, 512-frame blocks, events before each block), so that each form can be timed and
// counted on the same phrase:
//   engine_path_phrase sse2|avx2|avx512 PHRASE.mid [RATE] [TAIL_SECONDS]
// Prints the frames rendered, the time spent in the instrument's calls per frame, and the
// peak level. Under callgrind (--collect-atstart=no) only the instrument's calls are counted.
#include <valgrind/callgrind.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/EnginePaths.h"
#include "plugin/vst2.h"
#include "tools/host/EventBlock.h"
#include "tools/render/EventSchedule.h"
#include "tools/render/MidiClock.h"
#include "tools/render/MidiFile.h"

extern "C" AEffect* VSTPluginMain(audioMasterCallback hostCallback);

namespace {

constexpr int32_t kBlock = 512;
constexpr size_t kEventsPerCall = 1024;
using Clock = std::chrono::steady_clock;

intptr_t hostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

bool pathNamed(const std::string& name, EnginePath& path) {
  if (name == "sse2")
    path = EnginePath::Sse2;
  else if (name == "avx2")
    path = EnginePath::Avx2Fma;
  else if (name == "avx512")
    path = EnginePath::Avx512;
  else
    return false;
  return true;
}

// Times and, under callgrind, counts one call into the instrument.
template <typename Call>
void measured(Clock::duration& spent, Call&& call) {
  CALLGRIND_TOGGLE_COLLECT;
  const Clock::time_point begin = Clock::now();
  call();
  spent += Clock::now() - begin;
  CALLGRIND_TOGGLE_COLLECT;
}

}  // namespace

int main(int argc, char** argv) {
  EnginePath path;
  if (argc < 3 || !pathNamed(argv[1], path)) {
    std::fprintf(stderr, "usage: %s sse2|avx2|avx512 PHRASE.mid [RATE] [TAIL_SECONDS]\n", argv[0]);
    return 2;
  }
  const uint32_t rate = argc > 3 ? static_cast<uint32_t>(std::atoi(argv[3])) : 48000;
  const double tailSeconds = argc > 4 ? std::atof(argv[4]) : 2.0;
  if (!useEnginePath(path)) {
    std::printf("path: %s is not on this processor\n", pathName(path));
    return 3;
  }
  MidiFile midi;
  std::string error;
  if (!readMidiFile(argv[2], midi, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  const std::vector<ScheduledEvent> events = scheduleEvents(midi, MidiClock(midi, rate));
  const uint64_t frames =
      (events.empty() ? 0 : events.back().frame + 1) + static_cast<uint64_t>(tailSeconds * rate);

  AEffect* effect = VSTPluginMain(hostCallback);
  auto dispatch = [effect](int32_t opcode, intptr_t value = 0, void* ptr = nullptr,
                           float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, 0, value, ptr, opt);
  };
  dispatch(effOpen);
  dispatch(effSetSampleRate, 0, nullptr, static_cast<float>(rate));
  dispatch(effSetBlockSize, kBlock);
  dispatch(effSetProcessPrecision, kVstProcessPrecision32);
  dispatch(effMainsChanged, 1);
  dispatch(effStartProcess);

  std::vector<float> left(kBlock), right(kBlock);
  float* outputs[2] = {left.data(), right.data()};
  EventBlock block(kEventsPerCall);
  Clock::duration spent{};
  double peak = 0.0;
  size_t next = 0;
  for (uint64_t start = 0; start < frames; start += kBlock) {
    const int32_t n = static_cast<int32_t>(std::min<uint64_t>(kBlock, frames - start));
    for (; next < events.size() && events[next].frame < start + n; ++next) {
      if (block.full()) {
        measured(spent, [&] { dispatch(effProcessEvents, 0, block.events()); });
        block.clear();
      }
      block.add(static_cast<int32_t>(events[next].frame - start), events[next].bytes,
                events[next].size);
    }
    if (!block.empty()) {
      measured(spent, [&] { dispatch(effProcessEvents, 0, block.events()); });
      block.clear();
    }
    measured(spent, [&] { effect->processReplacing(effect, nullptr, outputs, n); });
    for (int32_t j = 0; j < n; ++j)
      peak = std::max(peak, static_cast<double>(std::fabs(left[j])));
  }
  dispatch(effStopProcess);
  dispatch(effMainsChanged, 0);
  dispatch(effClose);

  const double ns = std::chrono::duration<double, std::nano>(spent).count();
  std::printf("path: %s\nframes: %llu\nprocessing: %.1f ns per frame\npeak: %.6f\n", pathName(path),
              static_cast<unsigned long long>(frames), ns / frames, peak);
  return 0;
}
