// The sixteen parameters' indices. Every array of parameter values, in the engine and in the
// plug-in, is in this order.
#pragma once

#include <cstdint>

enum ParamId : int32_t {
  kSquare = 0,
  kTriangle,
  kSine,
  kAttack,
  kRelease,
  kGlide,
  kVibratoRate,
  kVibratoDepth,
  kTremoloRate,
  kTremoloDepth,
  kTranspose,
  kFineTune,
  kOutput,
  kVelocity,
  kLegato,
  kSineCharacter,
  kNumParams
};
