// Parsing the validator's command line.
#include "tools/validate/Options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

bool parseUnsigned(const std::string& text, uint64_t& out) {
  if (text.empty() || text[0] == '-') return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
  if (errno != 0 || end == text.c_str() || *end != '\0') return false;
  out = value;
  return true;
}

void splitList(const std::string& text, std::vector<std::string>& out) {
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const size_t end = comma == std::string::npos ? text.size() : comma;
    if (end > start) out.push_back(text.substr(start, end - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
}

}  // namespace

std::string validateUsage() {
  return "Usage: brisalonde-validate [options] PLUGIN\n"
         "Runs a battery of host checks against a VST 2 instrument binary, a VST 3 bundle or\n"
         "an LV2 bundle (X.lv2, Linux only), each given the checks that apply to its format.\n"
         "Each check runs in a process of its own under a watchdog and prints one line; the\n"
         "exit status is 1 when any check failed.\n"
         "  --strictness N   1 (gentle) to 10 (everything, hardest); default 5\n"
         "  --seed N         seed of the random checks, for repeating a run\n"
         "  --only A,B       run only the checks whose names begin with A or B\n"
         "  --timeout S      seconds a check may take before it counts as hung; default 120\n"
         "  --list           list the checks and their lowest strictness, run nothing\n"
         "  --verbose        print each check's measurements and progress\n"
         "  --help           this text\n";
}

bool parseValidateOptions(const std::vector<std::string>& args, ValidateOptions& options,
                          std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::string text;
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--list") {
      options.list = true;
    } else if (arg == "--verbose" || arg == "-v") {
      options.verbose = true;
    } else if (arg == "--seed") {
      if (!value(text)) return false;
      if (!parseUnsigned(text, options.seed)) {
        error = "--seed needs a whole number, not \"" + text + "\"";
        return false;
      }
      options.seedGiven = true;
    } else if (arg == "--strictness") {
      uint64_t level = 0;
      if (!value(text)) return false;
      if (!parseUnsigned(text, level) || level < ValidateOptions::kMinStrictness ||
          level > ValidateOptions::kMaxStrictness) {
        error = "--strictness needs a level from 1 to 10, not \"" + text + "\"";
        return false;
      }
      options.strictness = static_cast<int>(level);
    } else if (arg == "--timeout") {
      if (!value(text)) return false;
      char* end = nullptr;
      const double seconds = std::strtod(text.c_str(), &end);
      if (end == text.c_str() || *end != '\0' || !std::isfinite(seconds) || seconds <= 0) {
        error = "--timeout needs a number of seconds, not \"" + text + "\"";
        return false;
      }
      options.timeoutSeconds = seconds;
    } else if (arg == "--only") {
      if (!value(text)) return false;
      splitList(text, options.only);
    } else if (arg == "--run-check") {
      if (!value(options.runCheck)) return false;
    } else if (arg == "--result") {
      if (!value(options.resultPath)) return false;
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return false;
    } else if (options.pluginPath.empty()) {
      options.pluginPath = arg;
    } else {
      error = "give one plug-in, not \"" + options.pluginPath + "\" and \"" + arg + "\"";
      return false;
    }
  }
  if (!options.help && !options.list && options.pluginPath.empty()) {
    error = "name the plug-in binary to validate";
    return false;
  }
  return true;
}

std::vector<std::string> childArguments(const ValidateOptions& options, const std::string& check,
                                        const std::string& resultPath) {
  return {"--run-check",     check,
          "--result",        resultPath,
          "--seed",          std::to_string(options.seed),
          "--strictness",    std::to_string(options.strictness),
          options.pluginPath};
}
