// brisalonde-render: plays a MIDI file through a VST 2 instrument into a WAV file, from the
// command line, without a host application.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/host/CrashGuard.h"
#include "tools/render/DefaultPlugin.h"
#include "tools/render/Render.h"
#include "tools/render/RenderOptions.h"
#include "tools/render/SummaryText.h"

namespace {

constexpr const char* kProgramName = "brisalonde-render";
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitPluginCrashed = 3;

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
  if (options.pluginPath.empty()) options.pluginPath = defaultPluginPath();
  if (options.pluginPath.empty())
    return failed("no Brisalonde plug-in beside this program; name one with --plugin", kExitFailed);

  crashguard::install(kProgramName, kExitPluginCrashed);
  if (options.list) {
    std::string text;
    if (!describePlugin(options, text, error)) return failed(error, kExitFailed);
    std::fputs(text.c_str(), stdout);
    return 0;
  }
  RenderSummary summary;
  if (!renderMidiFile(options, summary, error)) return failed(error, kExitFailed);
  if (!options.quiet) std::fputs(formatSummary(options, summary).c_str(), stdout);
  return 0;
}
