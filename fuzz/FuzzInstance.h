// A fresh instrument instance for one fuzz input, made through VSTPluginMain and closed at
// the end, with the invariants every input must leave intact and a checked block render.
#pragma once

#include <cstdint>

#include "plugin/PluginInstance.h"
#include "plugin/vst2.h"

// Stops the run with a message when an invariant is broken: libFuzzer records the input.
#define FUZZ_EXPECT(condition) ((condition) ? (void)0 : fuzzFailure(#condition, __FILE__, __LINE__))
[[noreturn]] void fuzzFailure(const char* condition, const char* file, int line);

class FuzzInstance {
 public:
  FuzzInstance();
  ~FuzzInstance();
  FuzzInstance(const FuzzInstance&) = delete;
  FuzzInstance& operator=(const FuzzInstance&) = delete;

  AEffect* effect() const { return effect_; }
  PluginInstance& instance() const { return *instanceOf(effect_); }
  intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f) const {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
  }
  // effClose; the instance is gone afterwards.
  void close();
  bool closed() const { return effect_ == nullptr; }

  // Queues one note-on at frame 0.
  void noteOn(int note);

  // Parameter values conformed, program, skin and queue within range, names terminated.
  void checkInvariants() const;

  enum class Outputs { Both, NoArray, NoLeft, NoRight };
  // Renders `frames` through one of the three paths into buffers pre-filled with NaN; every
  // sample the instance writes must be finite, and the replacing paths must write them all.
  void render(int32_t frames, int path, Outputs outputs);

 private:
  AEffect* effect_ = nullptr;
};
