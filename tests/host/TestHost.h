// A minimal host for tests: loads the plug-in binary through its entry point, records every
// host callback, and wraps one instance. Event blocks for it are the hosts' own EventBlock.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "plugin/vst2.h"
#include "tools/host/EventBlock.h"
#include "tools/host/PluginModule.h"

struct HostCall {
  int32_t opcode;
  int32_t index;
  intptr_t value;
  float opt;
};

namespace testhost {

// The plug-in under test, loaded once per test program.
PluginModule& module();

// Callback answering audioMasterVersion with 2400 and recording every call.
intptr_t callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                  float opt);
std::vector<HostCall>& calls();

}  // namespace testhost

// One instance, closed when the wrapper goes out of scope.
class TestPlugin {
 public:
  TestPlugin();
  ~TestPlugin();
  TestPlugin(const TestPlugin&) = delete;
  TestPlugin& operator=(const TestPlugin&) = delete;

  AEffect* effect() const { return effect_; }
  intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f) const {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
  }
  float get(int32_t index) const { return effect_->getParameter(effect_, index); }
  void set(int32_t index, float value) const { effect_->setParameter(effect_, index, value); }
  std::vector<float> allParams() const;

  // Text from a string opcode, read from a buffer of `size` bytes with guard bytes after it;
  // `guardIntact` says whether the guard survived.
  std::string text(int32_t opcode, int32_t index, size_t size, bool* guardIntact) const;

 private:
  AEffect* effect_ = nullptr;
};

// A buffer with guard bytes on both sides, for checking that nothing is written past a size.
class GuardedBuffer {
 public:
  static constexpr unsigned char kGuard = 0xA5;
  static constexpr size_t kGuardSize = 64;
  explicit GuardedBuffer(size_t size) : size_(size), bytes_(size + 2 * kGuardSize, kGuard) {}
  char* data() { return reinterpret_cast<char*>(bytes_.data() + kGuardSize); }
  size_t size() const { return size_; }
  bool guardsIntact() const;

 private:
  size_t size_;
  std::vector<unsigned char> bytes_;
};
