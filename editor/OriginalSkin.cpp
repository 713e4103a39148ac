// The Original skin: a dark panel with title, program buttons, fifteen knobs with
// captions and read-outs, and two text lines, all on the plain layer.
#include <cmath>

#include "editor/Layout.h"
#include "editor/Painters.h"
#include "editor/SkinLayers.h"
#include "editor/ValueText.h"
#include "params/Programs.h"

namespace {

constexpr Rgb kTitleColour{240, 235, 218};
constexpr Rgb kModelLineColour{126, 181, 184};
constexpr Rgb kButtonFace{42, 62, 66};
constexpr Rgb kButtonLabel{231, 220, 184};
constexpr Rgb kCaptionColour{174, 191, 187};
constexpr Rgb kKnobRing{80, 107, 109};
constexpr Rgb kKnobPointer{240, 180, 90};
constexpr Rgb kReadoutColour{237, 225, 201};
constexpr Rgb kHintColour{136, 150, 149};

constexpr int32_t kRingPenWidth = 2;
constexpr int32_t kPointerPenWidth = 4;
constexpr int32_t kPointerInnerRadius = 15;
constexpr int32_t kPointerOuterRadius = 27;
constexpr double kKnobSweepDegrees = 270.0;
constexpr double kKnobStartDegrees = -135.0;
constexpr double kPi = 3.14159265358979323846;

constexpr const char* kTitle = "BRISALONDE";
constexpr const char* kModelLine = "TQX-520-B / MONOPHONIC ANALOG-INSPIRED SYNTH";
constexpr const char* kInfoLine =
    "MONO / LAST NOTE     |     PITCH BEND +/-2     |     MOD WHEEL > VIBRATO     |     "
    "CC64 SUSTAIN";
constexpr const char* kHintLine =
    "Drag vertically to edit. Shift = fine. Double-click = default. Audio output is dual mono.";
constexpr const char* kProgramLabels[kNumPrograms] = {"01  Original", "02  Soft reed", "03  Bass",
                                                      "04  Lantern", "05  Glide"};

// Where the Legato read-out sits: its slot has no knob, the switch lies above the text.
constexpr int32_t kLegatoReadoutX = 648;
constexpr int32_t kLegatoReadoutY = 410;

// A control's value part, from its cell offset: a column as wide as the grid's from the
// read-out's left edge, from just above the knob ring to below the read-out. Legato's holds
// only the read-out, under the switch.
constexpr RectI kControlPartArea{30, 180, 30 + kColumnPitch, 290};
constexpr RectI kLegatoPartArea{30, 258, 30 + kColumnPitch, 290};

void paintProgramButtons(Canvas& canvas) {
  for (int32_t k = 0; k < kNumPrograms; ++k) {
    const int32_t x = 30 + kProgramButtonPitch * k;
    canvas.fillRect(RectI{x, 105, x + 150, 133}, kButtonFace);
    canvas.textAt(x + 9, 111, kProgramLabels[k], EditorFont::Label, kButtonLabel);
  }
}

void paintPointer(Canvas& canvas, int32_t dx, int32_t dy, double value) {
  const double angle = (kKnobSweepDegrees * value + kKnobStartDegrees) * kPi / 180.0;
  const double s = std::sin(angle);
  const double c = std::cos(angle);
  const int32_t cx = dx + 73;
  const int32_t cy = dy + 215;
  // Truncation toward zero, as the integer conversion does.
  canvas.lineSegment(cx + static_cast<int32_t>(kPointerInnerRadius * s),
                     cy - static_cast<int32_t>(kPointerInnerRadius * c),
                     cx + static_cast<int32_t>(kPointerOuterRadius * s),
                     cy - static_cast<int32_t>(kPointerOuterRadius * c), kKnobPointer,
                     kPointerPenWidth);
}

// What of a control depends on no value: its caption and the ring of its knob.
void paintControlFrame(Canvas& canvas, int32_t id) {
  const int32_t dx = kColumnPitch * columnOf(id);
  const int32_t dy = kRowPitch * rowOf(id);
  canvas.textAt(dx + 30, dy + 154, kParamTable[id].name, EditorFont::Label, kCaptionColour);
  if (id != kLegato)
    canvas.outlineEllipse(RectI{dx + 40, dy + 182, dx + 106, dy + 248}, kKnobRing, kRingPenWidth);
}

// What of a control follows its value: the knob's pointer and the read-out.
void paintControlValue(Canvas& canvas, int32_t id, double value) {
  const int32_t dx = kColumnPitch * columnOf(id);
  const int32_t dy = kRowPitch * rowOf(id);
  if (id != kLegato) paintPointer(canvas, dx, dy, value);
  const ValueText readout = formatValueText(id, value);
  if (id == kLegato) {
    canvas.textAt(kLegatoReadoutX, kLegatoReadoutY, readout.view(), EditorFont::Label,
                  kReadoutColour);
  } else {
    canvas.textAt(dx + 30, dy + 260, readout.view(), EditorFont::Label, kReadoutColour);
  }
}

void paintPanelTop(Canvas& canvas) {
  canvas.fillBackground(RectI{0, 0, kWindowWidth, kWindowHeight});
  canvas.textAt(28, 22, kTitle, EditorFont::Title, kTitleColour);
  canvas.textAt(31, 67, kModelLine, EditorFont::Label, kModelLineColour);
  paintProgramButtons(canvas);
}

void paintPanelFooter(Canvas& canvas) {
  canvas.textAt(30, 474, kInfoLine, EditorFont::Label, kModelLineColour);
  canvas.textAt(30, 498, kHintLine, EditorFont::Label, kHintColour);
}

}  // namespace

void paintOriginalSkin(Canvas& canvas, const double values[kNumParams]) {
  canvas.saveState();
  paintPanelTop(canvas);
  for (int32_t id = 0; id < kNumParams; ++id) {
    paintControlFrame(canvas, id);
    paintControlValue(canvas, id, values[id]);
  }
  paintPanelFooter(canvas);
  canvas.restoreState();
}

void paintOriginalBackdrop(Canvas& canvas) {
  canvas.saveState();
  paintPanelTop(canvas);
  for (int32_t id = 0; id < kNumParams; ++id)
    paintControlFrame(canvas, id);
  paintPanelFooter(canvas);
  canvas.restoreState();
}

void paintOriginalParts(Canvas& canvas, FacePartSet parts, const double values[kNumParams]) {
  canvas.saveState();
  for (int32_t id = 0; id < kNumParams; ++id)
    if (parts & partBit(id)) paintControlValue(canvas, id, values[id]);
  canvas.restoreState();
}

RectI originalPartArea(int32_t part) {
  if (!isValidParam(part)) return RectI{};
  const RectI area = part == kLegato ? kLegatoPartArea : kControlPartArea;
  const int32_t dx = kColumnPitch * columnOf(part);
  const int32_t dy = kRowPitch * rowOf(part);
  return RectI{area.left + dx, area.top + dy, area.right + dx, area.bottom + dy};
}
