// The test host's module loading, callback and helpers.
#include "tests/host/TestHost.h"

#include <cstdio>
#include <cstdlib>

#include "gtest/gtest.h"

namespace testhost {

PluginModule& module() {
  static PluginModule loaded;
  static bool tried = false;
  if (!tried) {
    tried = true;
    if (!loaded.load(BRISALONDE_PLUGIN_PATH)) {
      std::fprintf(stderr, "%s\n", loaded.error().c_str());
      std::abort();
    }
  }
  return loaded;
}

std::vector<HostCall>& calls() {
  static std::vector<HostCall> recorded;
  return recorded;
}

intptr_t callback(AEffect*, int32_t opcode, int32_t index, intptr_t value, void*, float opt) {
  calls().push_back(HostCall{opcode, index, value, opt});
  return opcode == audioMasterVersion ? 2400 : 0;
}

}  // namespace testhost

TestPlugin::TestPlugin() {
  effect_ = testhost::module().entry()(testhost::callback);
  if (effect_ == nullptr) {
    std::fprintf(stderr, "VSTPluginMain returned null\n");
    std::abort();
  }
}

TestPlugin::~TestPlugin() {
  dispatch(effClose);
}

std::vector<float> TestPlugin::allParams() const {
  std::vector<float> values;
  for (int32_t i = 0; i < effect_->numParams; ++i)
    values.push_back(get(i));
  return values;
}

std::string TestPlugin::text(int32_t opcode, int32_t index, size_t size, bool* guardIntact) const {
  GuardedBuffer buffer(size);
  dispatch(opcode, index, 0, buffer.data());
  if (guardIntact != nullptr) *guardIntact = buffer.guardsIntact();
  return std::string(buffer.data(), strnlen(buffer.data(), size));
}

bool GuardedBuffer::guardsIntact() const {
  for (size_t i = 0; i < kGuardSize; ++i)
    if (bytes_[i] != kGuard || bytes_[kGuardSize + size_ + i] != kGuard) return false;
  return true;
}
