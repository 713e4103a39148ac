// The state a face is painted in, set as brisalonde-snapshot sets it through the plug-in:
// a program, a skin, then single values as a host's setParameter stores them.
#pragma once

#include <cstdint>
#include <string>

#include "params/ParamTable.h"

struct FaceState {
  double values[kNumParams];
  int32_t skin = 0;
  int32_t activeParam = -1;
};

// Applies one option of the snapshot's command line (--appearance NAME, or --skin NAME by its
// older name; --program N; --set ID=VALUE) whose value is `value`; returns an error text, or
// an empty one when it is good.
std::string applyStateOption(FaceState& state, const std::string& option, const std::string& value);
// The default state: program 0, the Original skin.
FaceState defaultFaceState();
