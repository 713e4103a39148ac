// Reading a number a person typed for a parameter, the same way in every format.
#pragma once

// Parses a decimal number from the start of `text` with strtod's rules but always with a
// dot as decimal separator, whatever the process locale. False when nothing was consumed.
bool parseLeadingNumber(const char* text, double& out);
