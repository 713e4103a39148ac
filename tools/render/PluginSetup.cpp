// Plug-in loading and settings for a render.
#include "tools/render/PluginSetup.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tools/host/CrashGuard.h"
#include "tools/host/NameLookup.h"

namespace {

constexpr size_t kMaxStateBytes = 64u << 20;

bool readState(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    error = "cannot read the state file " + path + ": " + std::strerror(errno);
    return false;
  }
  uint8_t buffer[65536];
  size_t got = 0;
  bytes.clear();
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && bytes.size() <= kMaxStateBytes)
    bytes.insert(bytes.end(), buffer, buffer + got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed || bytes.empty() || bytes.size() > kMaxStateBytes) {
    error = "cannot read the state file " + path +
            (failed          ? ": read error"
             : bytes.empty() ? ": it is empty"
                             : ": it is over 64 MiB");
    return false;
  }
  return true;
}

template <typename Plugin>
std::string describeParameter(Plugin& plugin, int32_t index) {
  return std::to_string(index) + " (" + plugin.parameterName(index) + ")";
}

template <typename Plugin>
bool applyParameter(const ParameterSetting& setting, Plugin& plugin, std::string& error) {
  const NameMatch match = findParameter(plugin, setting.name);
  if (match.index < 0) {
    error = plugin.path() + ": " + match.error;
    return false;
  }
  if (setting.normalized) {
    plugin.setParameter(match.index, std::strtof(setting.value.c_str(), nullptr));
    return true;
  }
  if (!plugin.setParameterText(match.index, setting.value)) {
    error = plugin.path() + ": parameter " + describeParameter(plugin, match.index) +
            " did not accept the text \"" + setting.value +
            "\" (--set-normalized takes a value from 0 to 1)";
    return false;
  }
  return true;
}

}  // namespace

bool isVst3Path(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && (trimmed.back() == '/' || trimmed.back() == '\\'))
    trimmed.pop_back();
  return trimmed.size() > 5 && trimmed.ends_with(".vst3");
}

template <typename Loaded>
bool openPlugin(const RenderOptions& options, Loaded& loaded, std::string& error) {
  crashguard::setPlugin(options.pluginPath.c_str());
  {
    crashguard::Stage stage("loading the binary");
    if (!loaded.module.load(options.pluginPath)) {
      error = loaded.module.error();
      return false;
    }
  }
  auto& plugin = loaded.plugin;
  if (!plugin.create(loaded.module) ||
      !plugin.configure(options.sampleRate, options.blockSize, options.precision)) {
    error = plugin.error();
    return false;
  }
  if (plugin.outputCount() == 0) {
    error = options.pluginPath + ": the plug-in has no audio outputs";
    return false;
  }
  return true;
}

template <typename Plugin>
bool applySettings(const RenderOptions& options, Plugin& plugin, std::string& error) {
  if (!options.program.empty()) {
    const NameMatch match = findProgram(plugin, options.program);
    if (match.index < 0) {
      error = plugin.path() + ": " + match.error;
      return false;
    }
    plugin.setProgram(match.index);
  }
  if (!options.loadState.empty()) {
    std::vector<uint8_t> state;
    if (!readState(options.loadState, state, error)) return false;
    if (!plugin.identity().keepsStateInChunks()) {
      error = plugin.path() + ": the plug-in does not take saved state chunks";
      return false;
    }
    if (!plugin.setChunk(state)) {
      error = plugin.path() + ": the plug-in rejected the state in " + options.loadState;
      return false;
    }
  }
  for (const ParameterSetting& setting : options.settings)
    if (!applyParameter(setting, plugin, error)) return false;
  return true;
}

template <typename Plugin>
bool saveState(const RenderOptions& options, Plugin& plugin, std::string& error) {
  const std::vector<uint8_t> state =
      plugin.identity().keepsStateInChunks() ? plugin.chunk() : std::vector<uint8_t>{};
  if (state.empty()) {
    error = plugin.path() + ": the plug-in gives no state chunk to save";
    return false;
  }
  std::FILE* file = std::fopen(options.saveState.c_str(), "wb");
  bool ok = file != nullptr && std::fwrite(state.data(), 1, state.size(), file) == state.size();
  const int writeErrno = errno;
  if (file != nullptr && std::fclose(file) != 0) ok = false;
  if (!ok) {
    error = "cannot write the state file " + options.saveState + ": " + std::strerror(writeErrno);
    if (file != nullptr) std::remove(options.saveState.c_str());
  }
  return ok;
}

template bool openPlugin(const RenderOptions&, LoadedPlugin&, std::string&);
template bool openPlugin(const RenderOptions&, LoadedVst3Plugin&, std::string&);
template bool applySettings(const RenderOptions&, HostedPlugin&, std::string&);
template bool applySettings(const RenderOptions&, Vst3Plugin&, std::string&);
template bool saveState(const RenderOptions&, HostedPlugin&, std::string&);
template bool saveState(const RenderOptions&, Vst3Plugin&, std::string&);
