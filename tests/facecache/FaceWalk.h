// Random walks through the states an editor face goes through: values edited one or several
// at a time, programs loaded and nudged, Legato toggled, drags beginning and ending, the
// appearance changed, and paints with nothing changed. Seeded, so every run takes the same
// walk.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "params/ParamTable.h"

struct FaceState {
  double values[kNumParams];
  int32_t skin;
  int32_t activeParam;
};

class FaceWalk {
 public:
  // Starts at the default values in `skin`, no drag. With `changeSkins` some steps change the
  // appearance too.
  FaceWalk(uint32_t seed, int32_t skin, bool changeSkins);

  const FaceState& state() const { return state_; }
  // Takes one step and says what it changed.
  std::string step();

 private:
  double randomValue(int32_t id);
  std::string loadProgram(double nudge);

  std::mt19937 random_;
  bool changeSkins_;
  FaceState state_;
};
