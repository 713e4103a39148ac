// The Silver faders and strips: cap height for a value, accent colours per control, the
// outline of the dragged fader, and the strip without a fader for Legato.
#include <gtest/gtest.h>

#include "DrawingQueries.h"
#include "editor/SilverFader.h"
#include "editor/SilverSkin.h"
#include "params/ParamTable.h"

namespace {

constexpr Argb kOrange = 0xFFA85732;
constexpr Argb kRed = 0xFFA63B2F;
constexpr Argb kTeal = 0xFF206270;
constexpr Argb kIdleOutline = 0xFF586B78;
constexpr float kIndexLineWidth = 2.7f;

Argb expectedAccent(int32_t id) {
  if (id <= kSine) return kOrange;
  return id == kOutput ? kRed : kTeal;
}

struct Strip {
  int32_t p;
  int32_t q;
};

Strip stripOf(int32_t id) {
  return Strip{103 * (id % 8), 150 * (id / 8)};
}

RecordingCanvas paintSilver(const std::vector<double>& values, int32_t activeParam = -1) {
  RecordingCanvas canvas;
  paintSilverSkin(canvas, values.data(), activeParam);
  return canvas;
}

// The index lines across the caps, in drawing order: one per fader.
std::vector<const DrawCall*> indexLines(const RecordingCanvas& canvas) {
  std::vector<const DrawCall*> found;
  for (const DrawCall* line : canvas.all(DrawOp::StrokeLine))
    if (line->pen.width == kIndexLineWidth) found.push_back(line);
  return found;
}

// The fader controls in drawing order: every parameter but Legato.
std::vector<int32_t> faderIds() {
  std::vector<int32_t> ids;
  for (int32_t id = 0; id < kNumParams; ++id)
    if (id != kLegato) ids.push_back(id);
  return ids;
}

TEST(SilverFader, CapCentreFollowsTheValueOverEightyPixels) {
  const struct {
    double value;
    float capY;
  } cases[] = {{0.0, 254.0f}, {0.5, 214.0f}, {1.0, 174.0f}};
  for (const auto& c : cases) {
    RecordingCanvas canvas;
    drawSilverFader(canvas, kSquare, 73.0f, 174.0f, c.value, false);
    const auto lines = indexLines(canvas);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lineStart(*lines[0]).y, c.capY) << c.value;
    EXPECT_EQ(lineEnd(*lines[0]).y, c.capY) << c.value;
    EXPECT_EQ(lineStart(*lines[0]).x, 58.0f);
    EXPECT_EQ(lineEnd(*lines[0]).x, 88.0f);
    // The cap body: 32 x 18 around the same height.
    const auto outlines = canvas.all(DrawOp::StrokeRectangle);
    ASSERT_EQ(outlines.size(), 1u);
    EXPECT_EQ(outlines[0]->coords, std::vector<float>({57.0f, c.capY - 9, 32.0f, 18.0f}));
  }
}

TEST(SilverSkin, CapsSitAtTheirValueInBothRows) {
  for (double value : {0.0, 0.5, 1.0}) {
    std::vector<double> values(kNumParams, value);
    const RecordingCanvas canvas = paintSilver(values);
    const auto lines = indexLines(canvas);
    const auto ids = faderIds();
    ASSERT_EQ(lines.size(), ids.size());
    for (size_t n = 0; n < ids.size(); ++n) {
      const Strip strip = stripOf(ids[n]);
      EXPECT_EQ(lineStart(*lines[n]).y, strip.q + 254 - 80 * value) << ids[n];
      EXPECT_EQ(lineStart(*lines[n]).x, strip.p + 73 - 15) << ids[n];
    }
  }
}

TEST(SilverSkin, TransposeCapRisesOneSixthOfTheTravelPerOctave) {
  for (int k = 0; k <= 6; ++k) {
    std::vector<double> values = defaultValues();
    values[kTranspose] = quantize(k / 6.0, 6);
    const RecordingCanvas canvas = paintSilver(values);
    const auto lines = indexLines(canvas);
    ASSERT_EQ(lines.size(), 15u);
    const float bottom = 150 + 254;
    EXPECT_NEAR(lineStart(*lines[kTranspose]).y, bottom - 80.0f * k / 6, 1e-3f) << k;
  }
}

TEST(SilverSkin, AccentColoursMarkOscillatorsOutputAndTheRest) {
  const RecordingCanvas canvas = paintSilver(defaultValues());
  for (int32_t id = 0; id < kNumParams; ++id) {
    EXPECT_EQ(accentColour(id), expectedAccent(id)) << id;
    const Strip strip = stripOf(id);
    const DrawCall* tab =
        filledRectAt(canvas, RectI{strip.p + 36, strip.q + 145, strip.p + 113, strip.q + 147});
    ASSERT_NE(tab, nullptr) << id;
    EXPECT_EQ(tab->brush.from, expectedAccent(id)) << id;
  }
  const auto lines = indexLines(canvas);
  const auto ids = faderIds();
  ASSERT_EQ(lines.size(), ids.size());
  for (size_t n = 0; n < ids.size(); ++n)
    EXPECT_EQ(lines[n]->pen.colour, expectedAccent(ids[n])) << ids[n];
}

TEST(SilverSkin, OnlyTheDraggedFaderIsOutlinedInItsAccent) {
  for (int32_t active : {2, 12, 10}) {
    const RecordingCanvas canvas = paintSilver(defaultValues(), active);
    const auto outlines = canvas.all(DrawOp::StrokeRectangle);
    const auto ids = faderIds();
    ASSERT_EQ(outlines.size(), ids.size());
    for (size_t n = 0; n < ids.size(); ++n) {
      const bool isActive = ids[n] == active;
      EXPECT_EQ(outlines[n]->pen.colour, isActive ? expectedAccent(active) : kIdleOutline)
          << active << "/" << ids[n];
      EXPECT_FLOAT_EQ(outlines[n]->pen.width, isActive ? 1.5f : 0.8f);
    }
  }
}

TEST(SilverSkin, DraggedControlGetsTheActiveBoxButKeepsItsTextColour) {
  const RecordingCanvas canvas = paintSilver(defaultValues(), kLegato);
  for (int32_t id = 0; id < kNumParams; ++id) {
    const Strip strip = stripOf(id);
    const DrawCall* box =
        filledRectAt(canvas, RectI{strip.p + 33, strip.q + 265, strip.p + 114, strip.q + 283});
    const DrawCall* text =
        textAt(canvas, RectI{strip.p + 30, strip.q + 263, strip.p + 117, strip.q + 286});
    ASSERT_NE(box, nullptr) << id;
    ASSERT_NE(text, nullptr) << id;
    EXPECT_EQ(box->brush.from, id == kLegato ? 0xFF1D5162u : 0xFF283944u) << id;
    EXPECT_EQ(text->rgb, (Rgb{222, 240, 241})) << id;
  }
}

TEST(SilverSkin, LegatoStripHasNoFader) {
  const RecordingCanvas canvas = paintSilver(defaultValues());
  const Strip legato = stripOf(kLegato);
  for (const DrawCall* line : indexLines(canvas)) {
    const PointF start = lineStart(*line);
    EXPECT_FALSE(start.x > legato.p + 29 && start.x < legato.p + 120 && start.y > legato.q + 145 &&
                 start.y < legato.q + 290);
  }
  EXPECT_NE(
      filledRectAt(canvas, RectI{legato.p + 29, legato.q + 145, legato.p + 120, legato.q + 290}),
      nullptr);
  const DrawCall* value =
      textAt(canvas, RectI{legato.p + 30, legato.q + 263, legato.p + 117, legato.q + 286});
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->text, u"On");
}

}  // namespace
