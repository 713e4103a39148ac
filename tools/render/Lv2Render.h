// The render through an LV2 instrument named by URI (--lv2): the same MIDI reader, event
// timing and WAV writer as for VST 2, with --program naming a preset by its label. Linux only.
#pragma once

#include <string>

#include "tools/render/Render.h"

bool renderLv2File(const RenderOptions& options, RenderSummary& summary, std::string& error);

// The instrument's name and preset labels, for --list.
bool describeLv2Plugin(const RenderOptions& options, std::string& text, std::string& error);
