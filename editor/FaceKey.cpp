// The key of a face and the parts that two keys differ in.
#include "editor/FaceKey.h"

#include <cstring>

#include "editor/ProgramMatch.h"
#include "params/Legato.h"

namespace {

bool sameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

FaceKey faceKeyOf(const double values[kNumParams], int32_t skin, int32_t activeParam) {
  FaceKey key{};
  key.skin = skin;
  key.activeParam = activeParam;
  key.matchedProgram = matchedProgram(values);
  key.legatoOn = legatoIsOn(values[kLegato]);
  std::memcpy(key.values, values, sizeof key.values);
  return key;
}

FacePartSet changedParts(const FaceKey& drawn, const FaceKey& wanted) {
  if (drawn.skin != wanted.skin) return kAllFaceParts;
  FacePartSet parts = 0;
  for (int32_t id = 0; id < kNumParams; ++id) {
    const bool dragChanged = (drawn.activeParam == id) != (wanted.activeParam == id);
    if (dragChanged || !sameBits(drawn.values[id], wanted.values[id])) parts |= partBit(id);
  }
  if (drawn.legatoOn != wanted.legatoOn) parts |= partBit(kLegatoSwitchPart);
  if (drawn.matchedProgram != wanted.matchedProgram) parts |= partBit(kProgramMarksPart);
  return parts;
}
