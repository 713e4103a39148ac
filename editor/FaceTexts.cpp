// The faceplate texts.
#include "editor/FaceTexts.h"

const char16_t* const kFaceCaptions[kNumParams] = {
    u"SQUARE",    u"TRIANGLE",   u"SINE",       u"ATTACK",      u"RELEASE",   u"GLISSANDO",
    u"VIB. RATE", u"VIB. DEPTH", u"TREM. RATE", u"TREM. DEPTH", u"TRANSPOSE", u"FINE TUNE",
    u"OUTPUT",    u"VELOCITY",   u"LEGATO",     u"SINE COLOR",
};

const char16_t* const kFaceProgramLabels[kNumPrograms] = {
    u"01  ORIGINAL", u"02  SOFT REED", u"03  BASS", u"04  LANTERN", u"05  GLIDE",
};

const char16_t kFaceTitle[] = u"BRISALONDE";
const char16_t kFaceModelLine[] = u"TQX-520-B   /   MONOPHONIC SYNTHESIZER";
const char16_t kFaceSectionLine[] = u"VCO  /  MIXER  /  VCA";
const char16_t kFaceDedication[] =
    u"W hołdzie konstruktorowi pierwowzoru tego instrumentu  \u00B7  "
    u"Cyfrowa interpretacja: zespół Brisalonde";
