// What is drawn over every skin, on the plain layer: the appearance bar and the Legato switch.
#pragma once

#include <cstdint>

#include "editor/PlainCanvas.h"

// The APPEARANCE selector with the segment of `skin` selected, in that skin's colours.
void paintAppearanceBar(PlainCanvas& canvas, int32_t skin);

// The OFF/ON switch of the Legato parameter, in the colours of `skin`.
void paintLegatoSwitch(PlainCanvas& canvas, int32_t skin, bool legatoOn);
