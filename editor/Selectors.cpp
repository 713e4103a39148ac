// The appearance bar and the Legato switch, on the plain layer over whichever skin is shown.
#include "editor/Selectors.h"

#include "editor/FaceLabel.h"
#include "editor/Layout.h"
#include "editor/SelectorColours.h"

namespace {

constexpr const char* kSegmentLabels[kNumSkins] = {"ORIGINAL", "VINTAGE", "SILVER"};
constexpr const char* kBarHeader = "APPEARANCE";
constexpr int32_t kSegmentPitch = 98;

// One two-state face: filled part with its centred label.
void paintSelectorPart(PlainCanvas& canvas, RectI face, RectI textRect, const char* label,
                       bool selected, const SelectorColours& colours) {
  canvas.fillSolid(face, selected ? colours.selectedFace : colours.otherFace);
  canvas.textIn(textRect, label, EditorFont::Small,
                selected ? colours.selectedText : colours.otherText, TextAlign::Centre);
}

}  // namespace

void paintAppearanceBar(PlainCanvas& canvas, int32_t skin) {
  const SelectorColours& colours = appearanceBarColours(skin);
  canvas.saveState();
  canvas.fillSolid(RectI{514, 16, 826, 78}, colours.bar);
  canvas.textIn(RectI{523, 20, 690, 36}, kBarHeader, EditorFont::Small, colours.otherText,
                TextAlign::Left);
  canvas.textIn(RectI{723, 20, 817, 36}, faceLabel(), EditorFont::Small, colours.otherText,
                TextAlign::Centre);
  for (int32_t j = 0; j < kNumSkins; ++j) {
    const int32_t x = 524 + kSegmentPitch * j;
    canvas.fillSolid(RectI{x - 1, 42, x + 93, 69}, colours.border);
    paintSelectorPart(canvas, RectI{x, 43, x + 92, 68}, RectI{x - 1, 43, x + 93, 68},
                      kSegmentLabels[j], j == skin, colours);
  }
  canvas.restoreState();
}

void paintLegatoSwitch(PlainCanvas& canvas, int32_t skin, bool legatoOn) {
  const SelectorColours& colours = legatoSwitchColours(skin);
  canvas.fillSolid(RectI{658, 345, 728, 383}, colours.border);
  paintSelectorPart(canvas, RectI{660, 347, 692, 381}, RectI{660, 348, 692, 379}, "OFF", !legatoOn,
                    colours);
  paintSelectorPart(canvas, RectI{694, 347, 726, 381}, RectI{694, 348, 726, 379}, "ON", legatoOn,
                    colours);
}
