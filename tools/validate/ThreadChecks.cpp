// Thread checks: the audio thread processes while other threads set parameters, switch
// programs and restore states, as hosts do from their user-interface and automation
// threads. The other threads call the plug-in's entry points directly: the hosting layer's
// crash marks belong to the audio thread alone.
#include <atomic>
#include <random>
#include <thread>
#include <vector>

#include "tools/validate/CheckContext.h"
#include "tools/validate/CheckList.h"
#include "tools/validate/CheckSupport.h"
#include "tools/validate/Subject.h"
#include "tools/validate/TextFormat.h"

namespace {

constexpr int32_t kSliceFrames = 32;
constexpr int32_t kLargestSlice = 256;
constexpr int kStates = 4;
constexpr size_t kDisplaySize = 64;
constexpr int64_t kWritesPerYield = 64;

struct Workload {
  int64_t blocks;
  bool variableBlocks;  // random sizes up to kLargestSlice, else kSliceFrames
  bool programsAndStates;
};

struct Counts {
  std::atomic<int64_t> parameterWrites{0};
  std::atomic<int64_t> stateSwitches{0};
};

void setParameters(AEffect* effect, uint64_t seed, const std::atomic<bool>& done, Counts& counts) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<float> value(0.0f, 1.0f);
  const int32_t params = effect->numParams;
  if (params <= 0) return;
  while (!done.load(std::memory_order_acquire)) {
    const auto index = static_cast<int32_t>(random() % static_cast<uint64_t>(params));
    effect->setParameter(effect, index, value(random));
    effect->getParameter(effect, static_cast<int32_t>(random() % static_cast<uint64_t>(params)));
    // Busy, but now and then leaving the audio thread its share of two cores.
    if (counts.parameterWrites.fetch_add(1, std::memory_order_relaxed) % kWritesPerYield == 0)
      std::this_thread::yield();
  }
}

void switchStates(AEffect* effect, uint64_t seed, const std::vector<std::vector<uint8_t>>& states,
                  const std::atomic<bool>& done, Counts& counts) {
  std::mt19937_64 random(seed);
  char text[kDisplaySize];
  while (!done.load(std::memory_order_acquire)) {
    if (effect->numPrograms > 0) {
      const auto program =
          static_cast<intptr_t>(random() % static_cast<uint64_t>(effect->numPrograms));
      effect->dispatcher(effect, effSetProgram, 0, program, nullptr, 0.0f);
      effect->dispatcher(effect, effGetProgram, 0, 0, nullptr, 0.0f);
    }
    if (!states.empty()) {
      std::vector<uint8_t> state = states[random() % states.size()];
      effect->dispatcher(effect, effSetChunk, 0, static_cast<intptr_t>(state.size()), state.data(),
                         0.0f);
      void* saved = nullptr;
      effect->dispatcher(effect, effGetChunk, 0, 0, &saved, 0.0f);
    }
    if (effect->numParams > 0)
      effect->dispatcher(effect, effGetParamDisplay,
                         static_cast<int32_t>(random() % static_cast<uint64_t>(effect->numParams)),
                         0, text, 0.0f);
    counts.stateSwitches.fetch_add(1, std::memory_order_relaxed);
    std::this_thread::yield();
  }
}

void runConcurrently(CheckContext& context, const Workload& work) {
  Subject subject(context);
  if (!subject.ok()) return;
  std::vector<std::vector<uint8_t>> states;
  if (work.programsAndStates && subject.identity().keepsStateInChunks()) {
    for (int i = 0; i < kStates; ++i) {
      for (int32_t p = 0; p < subject.identity().numParams; ++p)
        subject.plugin().setParameter(p, static_cast<float>(context.uniform()));
      states.push_back(subject.plugin().chunk());
    }
  }
  subject.start(kStandardRate, work.variableBlocks ? kLargestSlice : kSliceFrames);
  std::atomic<bool> done{false};
  Counts counts;
  AEffect* effect = subject.effect();
  std::vector<std::thread> others;
  others.emplace_back(setParameters, effect, context.random()(), std::cref(done), std::ref(counts));
  if (work.programsAndStates)
    others.emplace_back(switchStates, effect, context.random()(), std::cref(states),
                        std::cref(done), std::ref(counts));
  context.step(textf("%lld blocks against %zu other threads", static_cast<long long>(work.blocks),
                     others.size()));
  for (int64_t block = 0; block < work.blocks; ++block) {
    if (block % 16 == 0)
      subject.noteOn(context.uniformInt(0, kSliceFrames - 1), context.uniformInt(36, 84));
    if (block % 16 == 11) subject.releaseAll();
    subject.render(work.variableBlocks ? context.uniformInt(1, kLargestSlice) : kSliceFrames);
  }
  done.store(true, std::memory_order_release);
  for (std::thread& t : others)
    t.join();
  subject.reportHealth(context, "processing while other threads change the state");
  subject.restoreInitialParameters();
  subject.releaseAll();
  expectSilence(context, subject, "after the threads stopped");
  context.note(textf("%lld blocks, %lld parameter writes, %lld program and state switches",
                     static_cast<long long>(work.blocks),
                     static_cast<long long>(counts.parameterWrites.load()),
                     static_cast<long long>(counts.stateSwitches.load())));
}

void parametersWhileProcessing(CheckContext& context) {
  runConcurrently(context, {context.scaled(1000, 10000), false, false});
}

void threeThreads(CheckContext& context) {
  runConcurrently(context, {context.scaled(2000, 20000), true, true});
}

}  // namespace

void addThreadChecks(CheckTable& table) {
  table.push_back({"threads.parameters", 1, parametersWhileProcessing,
                   "parameters set from another thread during 32-frame blocks"});
  table.push_back({"threads.programs-and-states", 2, threeThreads,
                   "processing, parameter writes, program switches and state restores at once"});
}
