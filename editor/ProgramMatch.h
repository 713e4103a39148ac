// Which factory program the current values are: the Silver skin marks its button.
#pragma once

#include <cstdint>

#include "params/ParamTable.h"

// Values closer than this to a program's own count as that program.
constexpr double kProgramMatchTolerance = 0.00001;

// The factory program (0..4) whose sixteen values all lie within the tolerance of `values`,
// or -1 when none does.
int32_t matchedProgram(const double values[kNumParams]);
