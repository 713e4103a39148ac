// The fixture of the editor scenarios: the driver of this program's window system, the host
// callbacks recorded since the test began, and what the host would save.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "tests/editor/EditorDriver.h"
#include "tests/host/TestHost.h"

// A point inside control `id` in the knob appearances (Original, Vintage).
constexpr int32_t knobX(int32_t id) {
  return 103 * (id % 8) + 73;
}
constexpr int32_t knobY(int32_t id) {
  return 150 * (id / 8) + 215;
}

// A point inside each appearance segment of the bar, clear of its label.
constexpr int32_t kSegmentX[] = {530, 628, 726};
constexpr int32_t kSegmentY = 47;

constexpr uint32_t kOriginalBackground = rgbPixel(20, 34, 38);

class EditorScenario : public ::testing::Test {
 protected:
  EditorScenario();

  // Left-button press and release at one point.
  void click(int32_t x, int32_t y);
  void pickSkin(int32_t skin) { click(kSegmentX[skin], kSegmentY); }

  static int countCalls(int32_t opcode, int32_t index);
  static std::vector<HostCall> callsOf(int32_t opcode);
  // The appearance as the host would save it with the project, or -1.
  static int32_t savedSkin(const TestPlugin& plugin);

  std::unique_ptr<EditorDriver> driver_ = makeEditorDriver();
};
