// The order of one paint: the skin, then the appearance bar and the Legato switch over it.
#include "editor/FaceTexts.h"
#include "editor/Painters.h"
#include "params/Legato.h"
#include "params/SkinId.h"

void paintEditor(Canvas& canvas, const double values[kNumParams], int32_t skin,
                 int32_t activeParam) {
  if (skin == Vintage) {
    paintVintageSkin(canvas, values, kVersionLabel, activeParam);
  } else if (skin == Silver) {
    paintSilverSkin(canvas, values, kVersionLabel, activeParam);
  } else {
    paintOriginalSkin(canvas, values);
  }
  paintAppearanceBar(canvas, skin);
  const bool legatoOn = legatoIsOn(values[kLegato]);
  canvas.saveState();
  paintLegatoSwitch(canvas, skin, legatoOn);
  canvas.restoreState();
}
