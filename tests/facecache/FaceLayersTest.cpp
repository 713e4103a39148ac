// The layer split checked call by call: the backdrop and the value parts together draw every
// call of the one-pass paint in its order, no backdrop call drawn after a value call in that
// order comes near it, and each part keeps inside its area, which no other part draws in.
// Together these make backdrop-then-parts the one-pass picture on any canvas; the pixel
// comparison under wine checks the same through GDI and GDI+.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/FaceParts.h"
#include "editor/Painters.h"
#include "params/SkinId.h"
#include "tests/facecache/FaceWalk.h"
#include "tests/facecache/RecordedCalls.h"

namespace {

constexpr int kStatesPerSkin = 40;

// The parts in the order of the one-pass paint.
std::vector<int32_t> partsInPaintOrder() {
  std::vector<int32_t> order{kProgramMarksPart};
  for (int32_t id = 0; id < kNumParams; ++id)
    order.push_back(id);
  order.push_back(kLegatoSwitchPart);
  return order;
}

std::vector<DrawCall> onePass(const FaceState& state) {
  RecordingCanvas canvas;
  paintEditor(canvas, state.values, state.skin, state.activeParam);
  return drawingCalls(canvas);
}

std::vector<DrawCall> backdrop(int32_t skin) {
  RecordingCanvas canvas;
  paintEditorBackdrop(canvas, skin);
  return drawingCalls(canvas);
}

std::vector<DrawCall> parts(FacePartSet set, const FaceState& state) {
  RecordingCanvas canvas;
  paintFaceParts(canvas, set, state.values, state.skin, state.activeParam);
  return drawingCalls(canvas);
}

// For each call of `whole`, whether it is a call of `values` (else of `backdrop`), when
// `whole` interleaves the two keeping the order of each; empty when it does not.
std::vector<bool> interleaving(const std::vector<DrawCall>& whole,
                               const std::vector<DrawCall>& back,
                               const std::vector<DrawCall>& values) {
  if (whole.size() != back.size() + values.size()) return {};
  const size_t columns = values.size() + 1;
  // reachable[i * columns + j]: the first i + j calls interleave back[0, i) and values[0, j).
  std::vector<char> reachable((back.size() + 1) * columns, 0);
  reachable[0] = 1;
  for (size_t i = 0; i <= back.size(); ++i)
    for (size_t j = 0; j <= values.size(); ++j) {
      if (!reachable[i * columns + j] || i + j == whole.size()) continue;
      const DrawCall& next = whole[i + j];
      if (i < back.size() && sameCall(back[i], next)) reachable[(i + 1) * columns + j] = 1;
      if (j < values.size() && sameCall(values[j], next)) reachable[i * columns + j + 1] = 1;
    }
  if (!reachable[back.size() * columns + values.size()]) return {};
  std::vector<bool> isValue(whole.size());
  for (size_t i = back.size(), j = values.size(); i + j > 0;) {
    if (j > 0 && reachable[i * columns + j - 1] && sameCall(values[j - 1], whole[i + j - 1])) {
      isValue[i + j - 1] = true;
      --j;
    } else {
      --i;
    }
  }
  return isValue;
}

class FaceLayers : public ::testing::TestWithParam<int32_t> {
 protected:
  // The default face, then the states of a walk through this appearance.
  std::vector<FaceState> states() const {
    FaceWalk walk(1300 + static_cast<uint32_t>(GetParam()), GetParam(), false);
    std::vector<FaceState> all{walk.state()};
    for (int k = 0; k < kStatesPerSkin; ++k) {
      walk.step();
      all.push_back(walk.state());
    }
    return all;
  }
};

TEST_P(FaceLayers, BackdropAndValuesDrawTheOnePassCallsInTheirOrder) {
  const std::vector<DrawCall> back = backdrop(GetParam());
  for (const FaceState& state : states()) {
    const std::vector<DrawCall> whole = onePass(state);
    const std::vector<bool> isValue = interleaving(whole, back, parts(kAllFaceParts, state));
    ASSERT_FALSE(isValue.empty()) << "the one-pass calls are not backdrop and values interleaved";
    // A backdrop call drawn after a value call would cover it in the one pass, but lies under
    // it when the backdrop is painted first.
    for (size_t v = 0; v < whole.size(); ++v) {
      if (!isValue[v]) continue;
      for (size_t b = v + 1; b < whole.size(); ++b)
        ASSERT_FALSE(!isValue[b] && overlap(pixelBounds(whole[v]), pixelBounds(whole[b])))
            << "value call " << v << " lies under backdrop call " << b;
    }
  }
}

TEST_P(FaceLayers, AllPartsDrawWhatEachPartDrawsAloneInPaintOrder) {
  for (const FaceState& state : states()) {
    std::vector<DrawCall> oneByOne;
    for (int32_t part : partsInPaintOrder())
      for (const DrawCall& call : parts(partBit(part), state))
        oneByOne.push_back(call);
    const std::vector<DrawCall> together = parts(kAllFaceParts, state);
    ASSERT_EQ(together.size(), oneByOne.size());
    for (size_t k = 0; k < together.size(); ++k)
      ASSERT_TRUE(sameCall(together[k], oneByOne[k])) << "call " << k;
  }
}

TEST_P(FaceLayers, EachPartDrawsInsideItsAreaAndNoOtherPartDrawsThere) {
  const int32_t skin = GetParam();
  for (const FaceState& state : states()) {
    for (int32_t part = 0; part < kNumFaceParts; ++part) {
      const RectI area = facePartArea(skin, part);
      const std::vector<DrawCall> drawn = parts(partBit(part), state);
      EXPECT_EQ(drawn.empty(), area.left == area.right) << "part " << part;
      for (const DrawCall& call : drawn)
        ASSERT_TRUE(contains(area, pixelBounds(call))) << "part " << part << " leaves its area";
      for (int32_t other = 0; other < kNumFaceParts; ++other) {
        if (other == part) continue;
        for (const DrawCall& call : parts(partBit(other), state))
          ASSERT_FALSE(overlap(area, pixelBounds(call)))
              << "part " << other << " draws in the area of part " << part;
      }
    }
  }
}

std::string skinName(const ::testing::TestParamInfo<int32_t>& info) {
  constexpr const char* kNames[kNumSkins] = {"Original", "Vintage", "Silver"};
  return kNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(EverySkin, FaceLayers, ::testing::Values(Original, Vintage, Silver),
                         skinName);

}  // namespace
