// The Silver skin marks the program button whose values are the current ones.
#include <gtest/gtest.h>

#include <memory>

#include "DrawingQueries.h"
#include "core/ProgramSlot.h"
#include "editor/ProgramMatch.h"
#include "editor/SilverSkin.h"
#include "params/Programs.h"
#include "plugin/PluginInstance.h"

namespace {

constexpr Rgb kMarkedLabel{27, 88, 105};
constexpr Rgb kPlainLabel{54, 75, 89};
constexpr Argb kMarkBar = 0xFF286677;

intptr_t silentHost(AEffect*, int32_t, int32_t, intptr_t, void*, float) {
  return 0;
}

// The values an instance holds after loading factory program k.
std::vector<double> loadedProgram(int32_t k) {
  auto instance = std::make_unique<PluginInstance>(silentHost);
  loadProgram(*instance, k);
  std::vector<double> values(kNumParams);
  for (int32_t i = 0; i < kNumParams; ++i)
    values[i] = instance->paramValues[i].load();
  return values;
}

// The program buttons whose label is in the marked colour and which carry the bar.
std::vector<int32_t> markedButtons(const std::vector<double>& values) {
  RecordingCanvas canvas;
  paintSilverSkin(canvas, values.data(), -1);
  std::vector<int32_t> marked;
  for (int32_t k = 0; k < kNumPrograms; ++k) {
    const int32_t x = 30 + 160 * k;
    const DrawCall* label = textAt(canvas, RectI{x, 107, x + 150, 129});
    const DrawCall* bar = filledRectAt(canvas, RectI{x + 1, 130, x + 149, 133});
    EXPECT_NE(label, nullptr);
    if (label == nullptr) continue;
    EXPECT_EQ(label->rgb == kMarkedLabel, bar != nullptr) << k;
    if (bar != nullptr) {
      EXPECT_EQ(bar->brush.from, kMarkBar);
      marked.push_back(k);
    } else {
      EXPECT_EQ(label->rgb, kPlainLabel) << k;
    }
  }
  return marked;
}

TEST(ProgramMatch, EachFactoryProgramIsMarkedAfterLoadingIt) {
  for (int32_t k = 0; k < kNumPrograms; ++k) {
    const std::vector<double> values = loadedProgram(k);
    EXPECT_EQ(matchedProgram(values.data()), k);
    EXPECT_EQ(markedButtons(values), std::vector<int32_t>{k});
  }
}

TEST(ProgramMatch, AnyEditBeyondTheToleranceUnmarks) {
  for (int32_t k = 0; k < kNumPrograms; ++k) {
    for (int32_t i = 0; i < kNumParams; ++i) {
      std::vector<double> values = loadedProgram(k);
      values[i] += values[i] < 0.5 ? 0.000011 : -0.000011;
      EXPECT_EQ(matchedProgram(values.data()), -1) << k << "/" << i;
    }
  }
  std::vector<double> edited = defaultValues();
  edited[kRelease] += 0.01;
  EXPECT_TRUE(markedButtons(edited).empty());
}

TEST(ProgramMatch, EditsWithinTheToleranceKeepTheMark) {
  for (int32_t k = 0; k < kNumPrograms; ++k) {
    std::vector<double> values = loadedProgram(k);
    for (int32_t i = 0; i < kNumParams; ++i)
      values[i] += values[i] < 0.5 ? 0.000009 : -0.000009;
    EXPECT_EQ(matchedProgram(values.data()), k);
  }
}

TEST(ProgramMatch, NonFiniteValueMatchesNothing) {
  std::vector<double> values = defaultValues();
  values[kSquare] = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(matchedProgram(values.data()), -1);
}

}  // namespace
