// The Original skin, the appearance bar, the Legato switch and the order of one paint, read
// back from the recording canvas.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/Painters.h"
#include "editor/RecordingCanvas.h"
#include "editor/SelectorColours.h"
#include "params/SkinId.h"

namespace {

constexpr Rgb kPointer{240, 180, 90};
constexpr Rgb kRing{80, 107, 109};
constexpr Rgb kSelectedOriginal{226, 176, 104};
constexpr Rgb kOtherOriginal{33, 53, 58};

struct Defaults {
  double values[kNumParams];
  Defaults() {
    for (int32_t id = 0; id < kNumParams; ++id)
      values[id] = kParamTable[id].defaultValue;
  }
};

RecordingCanvas paintOriginal(const double* values) {
  RecordingCanvas canvas;
  paintOriginalSkin(canvas, values);
  return canvas;
}

std::vector<const DrawCall*> withColour(const std::vector<const DrawCall*>& calls, Rgb colour) {
  std::vector<const DrawCall*> found;
  std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
               [&](const DrawCall* call) { return call->rgb == colour; });
  return found;
}

const DrawCall* fillAt(const RecordingCanvas& canvas, RectI rect) {
  for (const DrawCall* call : canvas.all(DrawOp::FillRect))
    if (call->rect == rect) return call;
  return nullptr;
}

const DrawCall* textAt(const RecordingCanvas& canvas, int32_t x, int32_t y) {
  for (const DrawCall* call : canvas.all(DrawOp::TextAt))
    if (call->rect.left == x && call->rect.top == y) return call;
  return nullptr;
}

}  // namespace

TEST(OriginalSkin, KnobPointerFollowsTheValue) {
  struct Case {
    double value;
    RectI segment;  // from (x0, y0) to (x1, y1)
  };
  // Control 0 has its centre at (73, 215); sin/cos of +-135 degrees cut towards zero.
  const Case cases[] = {
      {0.0, {63, 225, 54, 234}}, {0.5, {73, 200, 73, 188}}, {1.0, {83, 225, 92, 234}}};
  for (const Case& c : cases) {
    Defaults d;
    d.values[kSquare] = c.value;
    const RecordingCanvas canvas = paintOriginal(d.values);
    const auto pointers = withColour(canvas.all(DrawOp::LineSegment), kPointer);
    ASSERT_EQ(pointers.size(), 15u);
    EXPECT_EQ(pointers[0]->rect, c.segment) << c.value;
    EXPECT_EQ(pointers[0]->penWidth, 4);
  }
}

TEST(OriginalSkin, FifteenRingsAroundTheKnobCentres) {
  Defaults d;
  const RecordingCanvas canvas = paintOriginal(d.values);
  const auto rings = canvas.all(DrawOp::OutlineEllipse);
  ASSERT_EQ(rings.size(), 15u);
  EXPECT_EQ(rings[0]->rect, (RectI{40, 182, 106, 248}));
  EXPECT_EQ(rings[0]->rgb, kRing);
  EXPECT_EQ(rings[0]->penWidth, 2);
  // Control 15 follows control 13: the Legato slot has no ring.
  EXPECT_EQ(rings[13]->rect, (RectI{103 * 5 + 40, 332, 103 * 5 + 106, 398}));
  EXPECT_EQ(rings[14]->rect, (RectI{103 * 7 + 40, 332, 103 * 7 + 106, 398}));
}

TEST(OriginalSkin, ReadoutsAtDefaults) {
  Defaults d;
  const RecordingCanvas canvas = paintOriginal(d.values);
  struct Expected {
    const char* text;
    int32_t x;
    int32_t y;
  };
  const Expected readouts[] = {
      {"55.0 %", 30, 260},    {"10.0 ms", 339, 260}, {"280.0 ms", 442, 260},
      {"6.0 Hz", 648, 260},   {"0 oct", 236, 410},   {"0.0 cent", 339, 410},
      {"-12.0 dB", 442, 410}, {"On", 648, 410},      {"35.0 %", 751, 410},
  };
  for (const Expected& e : readouts) {
    const DrawCall* call = textAt(canvas, e.x, e.y);
    ASSERT_NE(call, nullptr) << e.text;
    EXPECT_EQ(call->text, widen(e.text));
    EXPECT_EQ(call->rgb, (Rgb{237, 225, 201})) << e.text;
  }
}

TEST(OriginalSkin, CaptionsTitleAndButtons) {
  Defaults d;
  const RecordingCanvas canvas = paintOriginal(d.values);
  const DrawCall* title = canvas.findText("BRISALONDE");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->font, EditorFont::Title);
  EXPECT_EQ(title->rect, (RectI{28, 22, 28, 22}));
  const DrawCall* caption = canvas.findText("Vibrato rate");
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->rect, (RectI{648, 154, 648, 154}));
  const DrawCall* legato = canvas.findText("Legato");
  ASSERT_NE(legato, nullptr);
  EXPECT_EQ(legato->rect, (RectI{648, 304, 648, 304}));
  for (int32_t k = 0; k < 5; ++k) {
    const int32_t x = 30 + 160 * k;
    const DrawCall* face = fillAt(canvas, RectI{x, 105, x + 150, 133});
    ASSERT_NE(face, nullptr) << k;
    EXPECT_EQ(face->rgb, (Rgb{42, 62, 66}));
  }
  const DrawCall* label = canvas.findText("03  Bass");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->rect, (RectI{359, 111, 359, 111}));
  EXPECT_NE(canvas.findText("Drag vertically to edit. Shift = fine. Double-click = default. "
                            "Audio output is dual mono."),
            nullptr);
}

TEST(OriginalSkin, BackgroundFirstAndStateRestored) {
  Defaults d;
  const RecordingCanvas canvas = paintOriginal(d.values);
  ASSERT_GE(canvas.calls.size(), 3u);
  EXPECT_EQ(canvas.calls[0].op, DrawOp::SaveState);
  EXPECT_EQ(canvas.calls[1].op, DrawOp::FillBackground);
  EXPECT_EQ(canvas.calls[1].rect, (RectI{0, 0, 860, 530}));
  EXPECT_EQ(canvas.calls.back().op, DrawOp::RestoreState);
}

TEST(OriginalSkin, ExtremeReadouts) {
  Defaults d;
  d.values[kTranspose] = 0.0;
  d.values[kOutput] = 0.0;
  d.values[kLegato] = 0.0;
  const RecordingCanvas low = paintOriginal(d.values);
  EXPECT_NE(low.findText("-3 oct"), nullptr);
  EXPECT_NE(low.findText("-60.0 dB"), nullptr);
  EXPECT_NE(low.findText("Off"), nullptr);
  d.values[kTranspose] = 1.0;
  EXPECT_NE(paintOriginal(d.values).findText("3 oct"), nullptr);
}

TEST(AppearanceBar, SelectedSegmentInEachSkin) {
  struct Case {
    int32_t skin;
    Rgb selected;
    Rgb other;
  };
  const Case cases[] = {{Original, kSelectedOriginal, kOtherOriginal},
                        {Vintage, {45, 62, 47}, {215, 207, 174}},
                        {Silver, {33, 94, 115}, {232, 240, 244}}};
  for (const Case& c : cases) {
    RecordingCanvas canvas;
    paintAppearanceBar(canvas, c.skin);
    for (int32_t j = 0; j < 3; ++j) {
      const int32_t x = 524 + 98 * j;
      const DrawCall* face = fillAt(canvas, RectI{x, 43, x + 92, 68});
      ASSERT_NE(face, nullptr);
      EXPECT_EQ(face->rgb, j == c.skin ? c.selected : c.other) << c.skin << " " << j;
      ASSERT_NE(fillAt(canvas, RectI{x - 1, 42, x + 93, 69}), nullptr);
    }
  }
}

TEST(AppearanceBar, TextsAndBracket) {
  RecordingCanvas canvas;
  paintAppearanceBar(canvas, Vintage);
  EXPECT_EQ(canvas.calls.front().op, DrawOp::SaveState);
  EXPECT_EQ(canvas.calls.back().op, DrawOp::RestoreState);
  const DrawCall* bar = fillAt(canvas, RectI{514, 16, 826, 78});
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->rgb, (Rgb{198, 190, 157}));
  const DrawCall* header = canvas.findText("APPEARANCE");
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->align, TextAlign::Left);
  EXPECT_EQ(header->font, EditorFont::Small);
  const DrawCall* vintage = canvas.findText("VINTAGE");
  ASSERT_NE(vintage, nullptr);
  EXPECT_EQ(vintage->rgb, (Rgb{239, 230, 187}));
  EXPECT_EQ(vintage->rect, (RectI{621, 43, 715, 68}));
  EXPECT_EQ(vintage->align, TextAlign::Centre);
  EXPECT_EQ(canvas.findText("SILVER")->rgb, (Rgb{51, 62, 46}));
  EXPECT_EQ(canvas.findText("VST2 / 1.2")->rect, (RectI{723, 20, 817, 36}));
}

TEST(LegatoSwitch, SelectedPartFollowsTheValue) {
  for (bool on : {false, true}) {
    RecordingCanvas canvas;
    paintLegatoSwitch(canvas, Original, on);
    const DrawCall* frame = fillAt(canvas, RectI{658, 345, 728, 383});
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->rgb, (Rgb{80, 107, 109}));
    EXPECT_EQ(fillAt(canvas, RectI{660, 347, 692, 381})->rgb,
              on ? kOtherOriginal : kSelectedOriginal);
    EXPECT_EQ(fillAt(canvas, RectI{694, 347, 726, 381})->rgb,
              on ? kSelectedOriginal : kOtherOriginal);
    EXPECT_EQ(canvas.findText("ON")->rgb, on ? (Rgb{21, 35, 38}) : (Rgb{168, 195, 193}));
    EXPECT_EQ(canvas.findText("OFF")->rect, (RectI{660, 348, 692, 379}));
  }
}

TEST(LegatoSwitch, VintageHasItsOwnColours) {
  RecordingCanvas canvas;
  paintLegatoSwitch(canvas, Vintage, true);
  EXPECT_EQ(fillAt(canvas, RectI{658, 345, 728, 383})->rgb, (Rgb{129, 131, 104}));
  EXPECT_EQ(fillAt(canvas, RectI{694, 347, 726, 381})->rgb, (Rgb{221, 213, 179}));
  EXPECT_EQ(fillAt(canvas, RectI{660, 347, 692, 381})->rgb, (Rgb{20, 26, 22}));
  EXPECT_EQ(canvas.findText("OFF")->rgb, (Rgb{209, 196, 151}));
}

TEST(PaintEditor, SkinThenBarThenBracketedSwitch) {
  Defaults d;
  for (int32_t skin : {Original, Vintage, Silver}) {
    RecordingCanvas canvas;
    paintEditor(canvas, d.values, skin, -1);
    const auto& calls = canvas.calls;
    const DrawOp first = skin == Original ? DrawOp::SaveState : DrawOp::OpenShapes;
    EXPECT_EQ(calls.front().op, first) << skin;
    // The last seven calls: the switch (frame, two faces, two labels) between SaveState and
    // RestoreState, right after the bar's own RestoreState.
    ASSERT_GE(calls.size(), 8u);
    EXPECT_EQ(calls.back().op, DrawOp::RestoreState);
    EXPECT_EQ(calls[calls.size() - 7].op, DrawOp::SaveState);
    EXPECT_EQ(calls[calls.size() - 6].rect, (RectI{658, 345, 728, 383}));
    EXPECT_EQ(calls[calls.size() - 8].op, DrawOp::RestoreState);
    const DrawCall* selected = fillAt(canvas, RectI{524 + 98 * skin, 43, 616 + 98 * skin, 68});
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(selected->rgb, appearanceBarColours(skin).selectedFace);
  }
}
