// A VST 3 instance behind the VST 2 record our validator drives, so that one battery of
// checks runs on both formats: each opcode becomes the VST 3 call a host makes for it, and the
// audio entries process straight into the caller's buffers.
#pragma once

#include "plugin/vst2.h"

class Vst3Module;

// The module that vst3EffectMain creates instances from; null to stop.
void setVst3EffectModule(const Vst3Module* module);
// An entry point shaped like VSTPluginMain: a new instance of the module's first audio module
// class, or null when there is none.
AEffect* vst3EffectMain(audioMasterCallback master);
