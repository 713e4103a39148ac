// Loading the plug-in named on the command line and bringing it into the state the render
// asks for: rate, block size and precision, then program, saved state and parameters.
#pragma once

#include <string>

#include "tools/host/HostedPlugin.h"
#include "tools/host/PluginModule.h"
#include "tools/host/Vst3Module.h"
#include "tools/host/Vst3Plugin.h"
#include "tools/render/RenderOptions.h"

// The module outlives the instance made from it: members are destroyed in reverse order.
template <typename Module, typename Plugin>
struct LoadedPluginOf {
  Module module;
  Plugin plugin;
};
using LoadedPlugin = LoadedPluginOf<PluginModule, HostedPlugin>;
using LoadedVst3Plugin = LoadedPluginOf<Vst3Module, Vst3Plugin>;

// True for a VST 3 bundle folder or module: the path ends in ".vst3" (a trailing slash
// aside). Anything else is loaded as a VST 2 binary.
bool isVst3Path(const std::string& path);

// Loads the binary, creates and opens an instance, and configures it (still suspended).
template <typename Loaded>
bool openPlugin(const RenderOptions& options, Loaded& loaded, std::string& error);

// Program, then state, then parameters, each checked; the error names what was refused.
template <typename Plugin>
bool applySettings(const RenderOptions& options, Plugin& plugin, std::string& error);

// Writes the plug-in's state chunk to options.saveState.
template <typename Plugin>
bool saveState(const RenderOptions& options, Plugin& plugin, std::string& error);
