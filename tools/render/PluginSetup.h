// Loading the plug-in named on the command line and bringing it into the state the render
// asks for: rate, block size and precision, then program, saved state and parameters.
#pragma once

#include <string>

#include "tools/host/HostedPlugin.h"
#include "tools/host/PluginModule.h"
#include "tools/render/RenderOptions.h"

// The module outlives the instance made from it: members are destroyed in reverse order.
struct LoadedPlugin {
  PluginModule module;
  HostedPlugin plugin;
};

// Loads the binary, creates and opens an instance, and configures it (still suspended).
bool openPlugin(const RenderOptions& options, LoadedPlugin& loaded, std::string& error);

// Program, then state, then parameters, each checked; the error names what was refused.
bool applySettings(const RenderOptions& options, HostedPlugin& plugin, std::string& error);

// Writes the plug-in's state chunk to options.saveState.
bool saveState(const RenderOptions& options, HostedPlugin& plugin, std::string& error);
