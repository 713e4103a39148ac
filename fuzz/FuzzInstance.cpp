// The fuzz targets' instance and its invariants.
#include "fuzz/FuzzInstance.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "engine/MidiEventQueue.h"

extern "C" AEffect* VSTPluginMain(audioMasterCallback hostCallback);

namespace {

constexpr int32_t kLargestBlock = 8192;
constexpr intptr_t kHostVersion = 2400;
constexpr double kLowestRate = 8000.0;
constexpr double kHighestRate = 768000.0;
constexpr int32_t kPrograms = 5;
constexpr int32_t kSkins = 3;
constexpr size_t kSlack = 16;  // samples after the block that must stay untouched

intptr_t fuzzHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  return opcode == audioMasterVersion ? kHostVersion : 0;
}

// The first `written` samples must be finite; everything after them must be untouched.
template <typename Sample>
void checkBlock(const std::vector<Sample>& channel, int32_t written) {
  for (size_t i = 0; i < channel.size(); ++i) {
    if (static_cast<int32_t>(i) < written)
      FUZZ_EXPECT(std::isfinite(channel[i]));
    else
      FUZZ_EXPECT(std::isnan(channel[i]));
  }
}

// Renders into NaN-filled channels (zeros within the block for the adding path) and checks
// what came back.
template <typename Sample, typename Entry>
void renderChecked(AEffect* effect, Entry entry, int32_t frames, FuzzInstance::Outputs outputs,
                   bool adding) {
  using Outputs = FuzzInstance::Outputs;
  const int32_t written = outputs == Outputs::NoArray || frames < 0 ? 0 : frames;
  const size_t size = static_cast<size_t>(frames > 0 ? frames : 0) + kSlack;
  std::vector<Sample> left(size, std::numeric_limits<Sample>::quiet_NaN()), right = left;
  const bool useLeft = outputs != Outputs::NoLeft && outputs != Outputs::NoArray;
  const bool useRight = outputs != Outputs::NoRight && outputs != Outputs::NoArray;
  if (adding) {
    if (useLeft) std::fill(left.begin(), left.begin() + written, Sample{});
    if (useRight) std::fill(right.begin(), right.begin() + written, Sample{});
  }
  Sample* channels[2] = {outputs == Outputs::NoLeft ? nullptr : left.data(),
                         outputs == Outputs::NoRight ? nullptr : right.data()};
  entry(effect, nullptr, outputs == Outputs::NoArray ? nullptr : channels, frames);
  checkBlock(left, useLeft ? written : 0);
  checkBlock(right, useRight ? written : 0);
}

}  // namespace

void fuzzFailure(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
  std::abort();
}

FuzzInstance::FuzzInstance() : effect_(VSTPluginMain(fuzzHost)) {
  FUZZ_EXPECT(effect_ != nullptr);
}

FuzzInstance::~FuzzInstance() {
  close();
}

void FuzzInstance::close() {
  if (effect_ != nullptr) dispatch(effClose);
  effect_ = nullptr;
}

void FuzzInstance::noteOn(int note) {
  VstMidiEvent event{};
  event.type = kVstMidiType;
  event.byteSize = sizeof event;
  event.midiData[0] = static_cast<char>(0x90);
  event.midiData[1] = static_cast<char>(note & 0x7F);
  event.midiData[2] = 100;
  VstEvents block{};
  block.numEvents = 1;
  block.events[0] = reinterpret_cast<VstEvent*>(&event);
  dispatch(effProcessEvents, 0, 0, &block);
}

void FuzzInstance::checkInvariants() const {
  if (closed()) return;
  const PluginInstance& p = instance();
  for (int32_t id = 0; id < kNumParams; ++id) {
    const double v = p.paramValues[id].load();
    FUZZ_EXPECT(std::isfinite(v) && v >= 0.0 && v <= 1.0);
    const int32_t steps = kParamTable[id].steps;
    if (steps != 0) FUZZ_EXPECT(std::round(v * steps) / steps == v);
  }
  FUZZ_EXPECT(p.currentProgram.load() >= 0 && p.currentProgram.load() < kPrograms);
  FUZZ_EXPECT(p.skin.load() >= 0 && p.skin.load() < kSkins);
  FUZZ_EXPECT(p.midiQueue.count >= 0 && p.midiQueue.count <= kMidiQueueCapacity);
  FUZZ_EXPECT(std::memchr(p.programName, 0, sizeof p.programName) != nullptr);
  FUZZ_EXPECT(p.hostSampleRate >= kLowestRate && p.hostSampleRate <= kHighestRate);
}

void FuzzInstance::render(int32_t frames, int path, Outputs outputs) {
  if (closed()) return;
  const int32_t n = frames > kLargestBlock ? kLargestBlock : frames;
  switch (path) {
    case 0:
      renderChecked<float>(effect_, effect_->processReplacing, n, outputs, false);
      break;
    case 1:
      renderChecked<float>(effect_, effect_->process, n, outputs, true);
      break;
    default:
      renderChecked<double>(effect_, effect_->processDoubleReplacing, n, outputs, false);
      break;
  }
}
