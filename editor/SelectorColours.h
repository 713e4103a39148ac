// Colours of the appearance bar and the Legato switch, which are drawn over every skin.
#pragma once

#include <cstdint>

#include "editor/Canvas.h"
#include "params/SkinId.h"

struct SelectorColours {
  Rgb bar;
  Rgb border;  // segment border, and the Legato switch frame
  Rgb selectedFace;
  Rgb selectedText;
  Rgb otherFace;
  Rgb otherText;  // also the bar's header text
};

// The appearance bar per skin: 0 Original, 1 Vintage, anything else Silver.
const SelectorColours& appearanceBarColours(int32_t skin);
// The Legato switch per skin; Original and Silver use their bar's segment colours.
const SelectorColours& legatoSwitchColours(int32_t skin);
