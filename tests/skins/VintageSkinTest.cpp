// The Vintage skin as a whole: each knob shows its own value, the value boxes mark the
// dragged control, the cheeks match, and the Legato cell holds no knob.
#include <gtest/gtest.h>

#include <cmath>

#include "DrawingQueries.h"
#include "editor/VintageSkin.h"
#include "params/ParamTable.h"

namespace {

constexpr Argb kPointerColour = 0xFFF1E1B5;
constexpr Argb kLampLit = 0xFFD9AC65;
constexpr Argb kBoxIdle = 0xFF141A16;
constexpr Argb kBoxActive = 0xFF43412B;
constexpr Rgb kTextIdle{209, 196, 151};
constexpr Rgb kTextActive{255, 222, 153};

struct Cell {
  int32_t x;
  int32_t y;
};

Cell cellOf(int32_t id) {
  return Cell{30 + 103 * (id % 8), 154 + 150 * (id / 8)};
}

PointF knobCentreOf(int32_t id) {
  const Cell cell = cellOf(id);
  return PointF{static_cast<float>(cell.x + 43), static_cast<float>(cell.y + 61)};
}

RecordingCanvas paintVintage(const std::vector<double>& values, int32_t activeParam = -1) {
  RecordingCanvas canvas;
  paintVintageSkin(canvas, values.data(), activeParam);
  return canvas;
}

// The pointer line whose inner end lies on the pointer radius around `centre`, or null.
const DrawCall* pointerAround(const RecordingCanvas& canvas, PointF centre) {
  for (const DrawCall* line : linesInColour(canvas, kPointerColour))
    if (std::fabs(radiusAround(lineStart(*line), centre) - 13.0f) < 1e-3f) return line;
  return nullptr;
}

int litLampsAround(const RecordingCanvas& canvas, PointF centre) {
  int lit = 0;
  for (const DrawCall* lamp : linesInColour(canvas, kLampLit))
    if (std::fabs(radiusAround(lineStart(*lamp), centre) - 38.0f) < 1e-3f) ++lit;
  return lit;
}

TEST(VintageSkin, EachKnobShowsItsOwnParameter) {
  std::vector<double> values(kNumParams);
  for (int32_t id = 0; id < kNumParams; ++id)
    values[id] = quantize(id / 15.0, kParamTable[id].steps);
  const RecordingCanvas canvas = paintVintage(values);
  for (int32_t id = 0; id < kNumParams; ++id) {
    if (id == kLegato) continue;
    const DrawCall* pointer = pointerAround(canvas, knobCentreOf(id));
    ASSERT_NE(pointer, nullptr) << id;
    EXPECT_NEAR(angleAround(lineEnd(*pointer), knobCentreOf(id)), 270.0 * values[id] - 135.0, 1e-3)
        << id;
  }
}

TEST(VintageSkin, TransposePointerTakesOneAngleForEachOctave) {
  for (int k = 0; k <= 6; ++k) {
    std::vector<double> values = defaultValues();
    values[kTranspose] = quantize(k / 6.0, 6);
    const RecordingCanvas canvas = paintVintage(values);
    const DrawCall* pointer = pointerAround(canvas, knobCentreOf(kTranspose));
    ASSERT_NE(pointer, nullptr) << k;
    EXPECT_NEAR(angleAround(lineEnd(*pointer), knobCentreOf(kTranspose)), -135.0 + 45.0 * k, 1e-3)
        << k;
  }
}

TEST(VintageSkin, TransposeAtMinusOneOctaveLightsFourLampsAndSaysSo) {
  std::vector<double> values = defaultValues();
  values[kTranspose] = quantize(1.0 / 3.0, 6);
  const RecordingCanvas canvas = paintVintage(values);
  EXPECT_EQ(litLampsAround(canvas, knobCentreOf(kTranspose)), 4);
  const Cell cell = cellOf(kTranspose);
  const DrawCall* text = textAt(canvas, RectI{cell.x, cell.y + 108, cell.x + 87, cell.y + 132});
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text, u"-1 oct");
}

// Without a drag (-1) every box is idle; during one only the dragged control's is lit.
TEST(VintageSkin, DraggedControlAloneHasTheActiveBoxAndText) {
  for (int32_t active : {-1, 0, 10, 14, 15}) {
    const RecordingCanvas canvas = paintVintage(defaultValues(), active);
    for (int32_t id = 0; id < kNumParams; ++id) {
      const Cell cell = cellOf(id);
      const DrawCall* box =
          filledRectAt(canvas, RectI{cell.x + 3, cell.y + 110, cell.x + 84, cell.y + 130});
      const DrawCall* text = textAt(canvas, RectI{cell.x, cell.y + 108, cell.x + 87, cell.y + 132});
      ASSERT_NE(box, nullptr);
      ASSERT_NE(text, nullptr);
      EXPECT_EQ(box->brush.from, id == active ? kBoxActive : kBoxIdle) << active << "/" << id;
      EXPECT_EQ(text->rgb, id == active ? kTextActive : kTextIdle) << active << "/" << id;
    }
  }
}

TEST(VintageSkin, CheeksCarryTheSameGrainAtTheirOwnOffset) {
  const RecordingCanvas canvas = paintVintage(defaultValues());
  const auto curves = canvas.all(DrawOp::StrokeCurve);
  ASSERT_EQ(curves.size(), 80u);
  for (size_t i = 0; i < 40; ++i) {
    const DrawCall& left = *curves[i];
    const DrawCall& right = *curves[i + 40];
    EXPECT_EQ(left.pen.colour, right.pen.colour) << i;
    EXPECT_FLOAT_EQ(left.pen.width, right.pen.width) << i;
    ASSERT_EQ(left.coords.size(), 12u) << i;
    ASSERT_EQ(right.coords.size(), left.coords.size()) << i;
    for (size_t j = 0; j < left.coords.size(); j += 2) {
      EXPECT_NEAR(right.coords[j] - left.coords[j], 836.0f, 1e-3f) << i << "/" << j;
      EXPECT_EQ(right.coords[j + 1], left.coords[j + 1]) << i << "/" << j;
    }
    // Each curve crosses the whole height within its cheek.
    EXPECT_EQ(left.coords[1], 0.0f);
    EXPECT_EQ(left.coords.back(), 530.0f);
    for (size_t j = 0; j < left.coords.size(); j += 2) {
      EXPECT_GE(left.coords[j], -2.0f);
      EXPECT_LE(left.coords[j], 26.0f);
    }
  }
  // Every third curve is light, the others dark.
  EXPECT_EQ(curves[0]->pen.colour, 0x3CCB8D4Du);
  EXPECT_EQ(curves[1]->pen.colour, 0x4128170Eu);
  EXPECT_EQ(curves[3]->pen.colour, 0x3CCB8D4Du);
}

TEST(VintageSkin, LegatoCellHasCaptionAndValueButNoKnob) {
  std::vector<double> values = defaultValues();
  values[kLegato] = 0.0;
  const RecordingCanvas canvas = paintVintage(values);
  EXPECT_EQ(linesInColour(canvas, kPointerColour).size(), 15u);
  EXPECT_EQ(pointerAround(canvas, knobCentreOf(kLegato)), nullptr);
  EXPECT_EQ(litLampsAround(canvas, knobCentreOf(kLegato)), 0);
  const Cell cell = cellOf(kLegato);
  const DrawCall* caption = textAt(canvas, RectI{cell.x - 3, cell.y - 2, cell.x + 89, cell.y + 14});
  const DrawCall* value = textAt(canvas, RectI{cell.x, cell.y + 108, cell.x + 87, cell.y + 132});
  ASSERT_NE(caption, nullptr);
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(caption->text, u"LEGATO");
  EXPECT_EQ(value->text, u"Off");
}

TEST(VintageSkin, DrawsInOneGraphicsContextWithFortyTwoTexts) {
  const RecordingCanvas canvas = paintVintage(defaultValues());
  ASSERT_FALSE(canvas.calls.empty());
  EXPECT_EQ(canvas.calls.front().op, DrawOp::OpenShapes);
  EXPECT_EQ(canvas.calls.back().op, DrawOp::CloseShapes);
  EXPECT_EQ(canvas.all(DrawOp::OpenShapes).size(), 1u);
  EXPECT_EQ(canvas.all(DrawOp::DrawFaceText).size(), 42u);
  // Nothing of the GDI layer: the bar and the switch are drawn over the skin afterwards.
  EXPECT_TRUE(canvas.all(DrawOp::FillSolid).empty());
  EXPECT_TRUE(canvas.all(DrawOp::TextIn).empty());
}

}  // namespace
