// An LV2 instrument behind the VST 2 record our validator drives, as Vst3Effect does for VST 3,
// so that the one battery of checks runs on LV2 bundles too: each opcode becomes the call an
// LV2 host makes for it through lilv. Linux only.
#pragma once

#include <string>

#include "plugin/vst2.h"

// Chooses the bundle directory whose first plug-in lv2EffectMain instantiates; false, with
// `error`, when it holds no plug-in.
bool selectLv2EffectBundle(const std::string& bundleDir, std::string& error);
void clearLv2EffectBundle();
// An entry point shaped like VSTPluginMain: a new instance, or null when none can be made.
AEffect* lv2EffectMain(audioMasterCallback master);
