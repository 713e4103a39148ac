// The face in two layers: each skin's backdrop with the appearance bar over it, and the value
// parts with the Legato switch, drawn in the order of the one-pass paint.
#include "editor/FaceParts.h"
#include "editor/Painters.h"
#include "editor/SkinLayers.h"
#include "params/Legato.h"
#include "params/SkinId.h"

namespace {

// The switch's frame, which its two parts lie inside.
constexpr RectI kLegatoSwitchArea{658, 345, 728, 383};

}  // namespace

void paintEditorBackdrop(Canvas& canvas, int32_t skin) {
  if (skin == Vintage) {
    paintVintageBackdrop(canvas);
  } else if (skin == Silver) {
    paintSilverBackdrop(canvas);
  } else {
    paintOriginalBackdrop(canvas);
  }
  paintAppearanceBar(canvas, skin);
}

void paintEditorValues(Canvas& canvas, const double values[kNumParams], int32_t skin,
                       int32_t activeParam) {
  paintFaceParts(canvas, kAllFaceParts, values, skin, activeParam);
}

void paintFaceParts(Canvas& canvas, FacePartSet parts, const double values[kNumParams],
                    int32_t skin, int32_t activeParam) {
  const FacePartSet skinParts = parts & ~partBit(kLegatoSwitchPart);
  if (skinParts != 0) {
    if (skin == Vintage) {
      paintVintageParts(canvas, skinParts, values, activeParam);
    } else if (skin == Silver) {
      paintSilverParts(canvas, skinParts, values, activeParam);
    } else {
      paintOriginalParts(canvas, skinParts, values);
    }
  }
  if (parts & partBit(kLegatoSwitchPart)) {
    const bool legatoOn = legatoIsOn(values[kLegato]);
    canvas.saveState();
    paintLegatoSwitch(canvas, skin, legatoOn);
    canvas.restoreState();
  }
}

RectI facePartArea(int32_t skin, int32_t part) {
  if (part == kLegatoSwitchPart) return kLegatoSwitchArea;
  if (skin == Vintage) return vintagePartArea(part);
  if (skin == Silver) return silverPartArea(part);
  return originalPartArea(part);
}
