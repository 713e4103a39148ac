// Comparison of the current values with each factory program.
#include "editor/ProgramMatch.h"

#include <cmath>

#include "params/Programs.h"

namespace {

bool sameSound(const double a[kNumParams], const double b[kNumParams]) {
  for (int32_t i = 0; i < kNumParams; ++i)
    if (!(std::fabs(a[i] - b[i]) <= kProgramMatchTolerance)) return false;
  return true;
}

}  // namespace

int32_t matchedProgram(const double values[kNumParams]) {
  int32_t matched = -1;
  for (int32_t k = 0; k < kNumPrograms; ++k) {
    double program[kNumParams];
    programValues(k, program);
    if (sameSound(program, values)) matched = k;
  }
  return matched;
}
