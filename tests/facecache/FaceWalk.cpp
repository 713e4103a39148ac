// The steps of a face walk.
#include "tests/facecache/FaceWalk.h"

#include <cstdio>

#include "params/Programs.h"
#include "params/SkinId.h"

namespace {

enum Step {
  kOneValue,
  kSeveralValues,
  kProgram,
  kProgramNudgedWithin,  // still the program by the match's tolerance
  kProgramNudgedOut,     // no longer any program
  kLegatoToggled,
  kDrag,
  kNothing,
  kSkin,
  kNumSteps
};

// A continuous parameter, so that a nudge stays a valid stored value.
constexpr int32_t kNudgedParam = kSquare;

}  // namespace

FaceWalk::FaceWalk(uint32_t seed, int32_t skin, bool changeSkins)
    : random_(seed), changeSkins_(changeSkins), state_{} {
  programValues(0, state_.values);
  state_.skin = skin;
  state_.activeParam = -1;
}

double FaceWalk::randomValue(int32_t id) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  return quantize(unit(random_), kParamTable[id].steps);
}

std::string FaceWalk::loadProgram(double nudge) {
  const int32_t program = std::uniform_int_distribution<int32_t>(0, kNumPrograms - 1)(random_);
  programValues(program, state_.values);
  state_.values[kNudgedParam] = quantize(state_.values[kNudgedParam] + nudge, 0);
  char text[64];
  std::snprintf(text, sizeof text, "program %d nudged by %g", program, nudge);
  return text;
}

std::string FaceWalk::step() {
  const int32_t last = changeSkins_ ? kSkin : kSkin - 1;
  const int32_t kind = std::uniform_int_distribution<int32_t>(0, last)(random_);
  std::uniform_int_distribution<int32_t> anyParam(0, kNumParams - 1);
  switch (kind) {
    case kOneValue: {
      const int32_t id = anyParam(random_);
      state_.values[id] = randomValue(id);
      return "value " + std::to_string(id) + " = " + std::to_string(state_.values[id]);
    }
    case kSeveralValues: {
      const int32_t count = std::uniform_int_distribution<int32_t>(2, kNumParams)(random_);
      for (int32_t k = 0; k < count; ++k) {
        const int32_t id = anyParam(random_);
        state_.values[id] = randomValue(id);
      }
      return std::to_string(count) + " values";
    }
    case kProgram:
      return loadProgram(0.0);
    case kProgramNudgedWithin:
      return loadProgram(0.000004);
    case kProgramNudgedOut:
      return loadProgram(0.00002);
    case kLegatoToggled:
      state_.values[kLegato] = state_.values[kLegato] >= 0.5 ? 0.0 : 1.0;
      return "Legato toggled";
    case kDrag:
      state_.activeParam = std::uniform_int_distribution<int32_t>(-1, kNumParams - 1)(random_);
      return "drag of " + std::to_string(state_.activeParam);
    case kSkin:
      state_.skin = std::uniform_int_distribution<int32_t>(0, kNumSkins - 1)(random_);
      return "skin " + std::to_string(state_.skin);
    default:
      return "nothing";
  }
}
