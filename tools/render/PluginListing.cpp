// The --list text: who the plug-in is, what it can do, its programs and its parameters with
// their current display values.
#include <cstdio>
#include <sstream>

#include "tools/render/PluginSetup.h"
#include "tools/render/Render.h"

namespace {

std::string fourCharacters(int32_t id) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const char c = static_cast<char>((static_cast<uint32_t>(id) >> shift) & 0xFFu);
    text += (c >= 32 && c < 127) ? c : '.';
  }
  return text;
}

std::string capabilities(const PluginIdentity& id) {
  std::string text = id.isSynth() ? "instrument" : "effect";
  if (id.canReplace()) text += ", replacing";
  if (id.canDoublePrecision()) text += ", double precision";
  if (id.keepsStateInChunks()) text += ", state chunks";
  return text;
}

template <typename Loaded>
bool describeWith(const RenderOptions& options, std::string& text, std::string& error) {
  Loaded loaded;
  if (!openPlugin(options, loaded, error)) return false;
  auto& plugin = loaded.plugin;
  const PluginIdentity id = plugin.identity();
  std::ostringstream out;
  out << options.pluginPath << "\n";
  out << "  " << (id.effectName.empty() ? "(no name)" : id.effectName) << " by "
      << (id.vendor.empty() ? "(no vendor)" : id.vendor) << ", product \"" << id.product
      << "\", version " << id.version << ", unique ID '" << fourCharacters(id.uniqueId) << "'\n";
  out << "  " << id.numInputs << " inputs, " << id.numOutputs << " outputs, " << capabilities(id)
      << "\n";
  out << "Programs (" << id.numPrograms << "), current " << plugin.currentProgram() << ":\n";
  for (int32_t i = 0; i < id.numPrograms; ++i)
    out << "  " << i << "  " << plugin.programName(i) << "\n";
  out << "Parameters (" << id.numParams << "):\n";
  for (int32_t i = 0; i < id.numParams; ++i) {
    char normalized[32];
    std::snprintf(normalized, sizeof normalized, "%.4f", plugin.parameter(i));
    out << "  " << i << "  " << plugin.parameterName(i) << " = " << plugin.parameterDisplay(i);
    const std::string label = plugin.parameterLabel(i);
    if (!label.empty()) out << " " << label;
    out << "  (" << normalized << ")\n";
  }
  text = out.str();
  return true;
}

}  // namespace

bool describePlugin(const RenderOptions& options, std::string& text, std::string& error) {
  return isVst3Path(options.pluginPath) ? describeWith<LoadedVst3Plugin>(options, text, error)
                                        : describeWith<LoadedPlugin>(options, text, error);
}
