// brisalonde-render: plays a MIDI file through a VST 2 instrument into a WAV file, from the
// command line, without a host application.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/host/CrashGuard.h"
#include "tools/render/DefaultPlugin.h"
#if !defined(_WIN32)
#include "tools/render/Lv2Render.h"
#endif
#include "tools/render/Render.h"
#include "tools/render/RenderOptions.h"
#include "tools/render/SummaryText.h"

namespace {

constexpr const char* kProgramName = "brisalonde-render";
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitPluginCrashed = 3;

#if defined(_WIN32)
bool describeLv2(const RenderOptions&, std::string&, std::string&) {
  return false;
}
bool renderLv2(const RenderOptions&, RenderSummary&, std::string&) {
  return false;
}
#else
bool describeLv2(const RenderOptions& o, std::string& text, std::string& error) {
  return describeLv2Plugin(o, text, error);
}
bool renderLv2(const RenderOptions& o, RenderSummary& summary, std::string& error) {
  return renderLv2File(o, summary, error);
}
#endif

int failed(const std::string& message, int status) {
  std::fprintf(stderr, "%s: %s\n", kProgramName, message.c_str());
  if (status == kExitUsage) std::fprintf(stderr, "Try '%s --help'.\n", kProgramName);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  RenderOptions options;
  std::string error;
  if (!parseRenderOptions(std::vector<std::string>(argv + 1, argv + argc), options, error))
    return failed(error, kExitUsage);
  if (options.help) {
    std::fputs(renderUsage().c_str(), stdout);
    return 0;
  }
  const bool lv2 = options.lv2;
#if defined(_WIN32)
  if (lv2) return failed("--lv2 is available on Linux only", kExitUsage);
#endif
  if (options.pluginPath.empty() && !lv2) options.pluginPath = defaultPluginPath();
  if (options.pluginPath.empty() && !lv2)
    return failed("no Brisalonde plug-in beside this program; name one with --plugin", kExitFailed);

  crashguard::install(kProgramName, kExitPluginCrashed);
  if (options.list) {
    std::string text;
    if (!(lv2 ? describeLv2(options, text, error) : describePlugin(options, text, error)))
      return failed(error, kExitFailed);
    std::fputs(text.c_str(), stdout);
    return 0;
  }
  RenderSummary summary;
  if (!(lv2 ? renderLv2(options, summary, error) : renderMidiFile(options, summary, error)))
    return failed(error, kExitFailed);
  if (!options.quiet) std::fputs(formatSummary(options, summary).c_str(), stdout);
  return 0;
}
