// Finding a plug-in's parameter or program by what a person types: its number, its name,
// or an unambiguous beginning of it. Plug-ins often shorten names to a few characters, so a
// longer name whose beginning is the plug-in's short name matches too.
#pragma once

#include <cstdint>
#include <string>

#include "tools/host/HostedPlugin.h"
#include "tools/host/Vst3Plugin.h"

struct NameMatch {
  int32_t index = -1;  // -1 when nothing matched; error() then says why
  std::string error;
};

NameMatch findParameter(HostedPlugin& plugin, const std::string& name);
NameMatch findProgram(HostedPlugin& plugin, const std::string& name);
NameMatch findParameter(Vst3Plugin& plugin, const std::string& name);
NameMatch findProgram(Vst3Plugin& plugin, const std::string& name);
