// Texts painted on the faceplates of the Vintage and Silver skins.
#pragma once

#include <cstdint>
#include <string_view>

#include "params/ParamTable.h"
#include "params/Programs.h"

// Control captions, indexed by ParamId.
extern const char16_t* const kFaceCaptions[kNumParams];
// Program button labels, indexed by program number.
extern const char16_t* const kFaceProgramLabels[kNumPrograms];

extern const char16_t kFaceTitle[];
extern const char16_t kFaceModelLine[];
extern const char16_t kFaceSectionLine[];  // "VCO  /  MIXER  /  VCA"
// The footer's dedication: a tribute to the instrument's designer and the credit for the
// digital interpretation, joined by a middle dot.
extern const char16_t kFaceDedication[];
