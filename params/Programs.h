// The five factory programs.
#pragma once

#include <cstdint>

#include "params/ParamTable.h"

constexpr int32_t kNumPrograms = 5;

extern const char* const kProgramNames[kNumPrograms];

inline bool isValidProgram(int32_t index) {
  return static_cast<uint32_t>(index) < static_cast<uint32_t>(kNumPrograms);
}

// Writes the 16 normalized values of factory program `index` (0..4): the parameter
// defaults with the program's own values in their place.
void programValues(int32_t index, double out[kNumParams]);
