// How parameter values become text, for the host's display texts and the editor's read-outs
// alike: one number formatter and the Legato words.
#pragma once

#include "params/Legato.h"

// `value` with `decimals` digits after a dot (printf's "%.*f" in the C locale), whatever the
// process locale. Returns the length written; the text is always terminated.
int formatFixed(double value, int decimals, char* buffer, int size);

// "On" or "Off", by the one Legato rule.
const char* legatoText(double value);
