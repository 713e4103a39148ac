// The order of one paint: the skin, then the appearance bar and the Legato switch over it.
#include "editor/PaintEditor.h"

#include "editor/FaceTexts.h"
#include "editor/OriginalSkin.h"
#include "editor/Selectors.h"
#include "editor/SilverSkin.h"
#include "editor/VintageSkin.h"
#include "params/Legato.h"
#include "params/SkinId.h"

void paintEditor(Canvas& canvas, const double values[kNumParams], int32_t skin,
                 int32_t activeParam) {
  if (skin == Vintage) {
    paintVintageSkin(canvas, values, activeParam);
  } else if (skin == Silver) {
    paintSilverSkin(canvas, values, activeParam);
  } else {
    paintOriginalSkin(canvas, values);
  }
  paintAppearanceBar(canvas, skin);
  const bool legatoOn = legatoIsOn(values[kLegato]);
  canvas.saveState();
  paintLegatoSwitch(canvas, skin, legatoOn);
  canvas.restoreState();
}
