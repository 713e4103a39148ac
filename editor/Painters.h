// The painters of the editor face: each draws into the back buffer through a Canvas.
#pragma once

#include <cstdint>
#include <string_view>

#include "editor/Canvas.h"
#include "params/ParamTable.h"

// The whole face for one paint: the skin, then the appearance bar and the Legato switch over
// it. `values` is the copy of the parameter values taken for this paint. The window composes
// the same picture from cached layers (FaceComposer.h); this one pass is their reference.
void paintEditor(Canvas& canvas, const double values[kNumParams], int32_t skin,
                 int32_t activeParam);

// The Original skin, drawn on the plain layer alone.
void paintOriginalSkin(Canvas& canvas, const double values[kNumParams]);

// The APPEARANCE selector with the segment of `skin` selected, in that skin's colours.
void paintAppearanceBar(Canvas& canvas, int32_t skin);

// The OFF/ON switch of the Legato parameter, in the colours of `skin`.
void paintLegatoSwitch(Canvas& canvas, int32_t skin, bool legatoOn);

// The Vintage and Silver skins; `activeParam` is the dragged parameter or -1.
void paintVintageSkin(Canvas& canvas, const double values[kNumParams],
                      std::u16string_view versionLabel, int32_t activeParam);
void paintSilverSkin(Canvas& canvas, const double values[kNumParams],
                     std::u16string_view versionLabel, int32_t activeParam);
