// The editor scenarios' fixture.
#include "tests/editor/EditorScenario.h"

#include <algorithm>

namespace {

constexpr intptr_t kChunkSize = 148;
constexpr size_t kChunkSkinOffset = 144;

}  // namespace

EditorScenario::EditorScenario() {
  testhost::calls().clear();
}

void EditorScenario::click(int32_t x, int32_t y) {
  driver_->press(x, y);
  driver_->release();
}

int EditorScenario::countCalls(int32_t opcode, int32_t index) {
  const auto& calls = testhost::calls();
  return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const HostCall& call) {
    return call.opcode == opcode && call.index == index;
  }));
}

std::vector<HostCall> EditorScenario::callsOf(int32_t opcode) {
  std::vector<HostCall> found;
  for (const HostCall& call : testhost::calls())
    if (call.opcode == opcode) found.push_back(call);
  return found;
}

int32_t EditorScenario::savedSkin(const TestPlugin& plugin) {
  void* chunk = nullptr;
  if (plugin.dispatch(effGetChunk, 0, 0, &chunk) != kChunkSize) return -1;
  const auto* bytes = static_cast<const unsigned char*>(chunk);
  int32_t skin = 0;
  for (size_t b = 0; b < 4; ++b)
    skin |= static_cast<int32_t>(bytes[kChunkSkinOffset + b]) << (8 * b);
  return skin;
}
