// The engine on its own, as the plug-in sets it up, for the engine's unit tests (which build
// without the plug-in): an engine record, its event queue and a parameter store.
#pragma once

#include <memory>
#include <string>

#include "engine/BlockProcessor.h"
#include "engine/EnginePaths.h"

// The factory program the plug-in starts with, as normalized values.
extern const double kStartingProgram[kNumParams];

struct UnitEngine {
  std::unique_ptr<ToneEngine> engine = std::make_unique<ToneEngine>();
  std::unique_ptr<MidiEventQueue> queue = std::make_unique<MidiEventQueue>();
  std::unique_ptr<ParamStore[]> params = std::make_unique<ParamStore[]>(kNumParams);

  // Constructed with `program` in the store, then set to `rate` with an empty queue.
  explicit UnitEngine(double rate = 44100.0, const double* program = kStartingProgram);

  // Queues an event at a frame of the coming block.
  void add(int32_t frame, uint8_t status, uint8_t data1, uint8_t data2);
};

// Renders with one vector form for as long as it lives, then goes back to the form before.
class ForcedPath {
 public:
  explicit ForcedPath(EnginePath path)
      : previousPath_(activeEnginePath()),
        previousStages_(&activeStages()),
        ok_(useEnginePath(path)) {}
  // The stages too: a test's own stages (useStagesForTest) are no path of their own.
  ~ForcedPath() {
    useEnginePath(previousPath_);
    useStagesForTest(*previousStages_);
  }
  ForcedPath(const ForcedPath&) = delete;
  ForcedPath& operator=(const ForcedPath&) = delete;

  // False when the processor lacks the form; the form in use is then unchanged.
  bool ok() const { return ok_; }

 private:
  EnginePath previousPath_;
  const StageFunctions* previousStages_;
  bool ok_;
};

// "SSE2", "AVX2_FMA", "AVX512F": names for parameterized tests.
std::string testNameOf(EnginePath path);
