// How parameter values become text, for the host's display texts and the editor's read-outs
// alike: one number formatter and one Legato rule.
#pragma once

// `value` with `decimals` digits after a dot (printf's "%.*f" in the C locale), whatever the
// process locale. Returns the length written; the text is always terminated.
int formatFixed(double value, int decimals, char* buffer, int size);

// The one Legato rule: on when the normalized `value` conforms to the upper step (at least
// one half). legatoText gives "On" or "Off".
bool legatoIsOn(double value);
const char* legatoText(double value);
