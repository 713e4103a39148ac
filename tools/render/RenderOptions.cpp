// Command-line parsing for the render tool. Numbers must be whole arguments ("48k" or
// "512x" are refused) and within the ranges a render can honour.
#include "tools/render/RenderOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>

namespace {

constexpr double kMaxTailSeconds = 3600.0;
constexpr double kMaxRenderSeconds = 86400.0;

bool parseWhole(const std::string& text, long long low, long long high, long long& out) {
  if (text.empty() || text.size() > 12) return false;
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < low || value > high) return false;
  out = value;
  return true;
}

bool parseReal(const std::string& text, double low, double high, double& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (*end != '\0' || !std::isfinite(value) || value < low || value > high) return false;
  out = value;
  return true;
}

bool parseSetting(const std::string& text, bool normalized, ParameterSetting& out) {
  const size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0 || equals + 1 == text.size()) return false;
  out.name = text.substr(0, equals);
  out.value = text.substr(equals + 1);
  out.normalized = normalized;
  double ignored = 0.0;
  return !normalized || parseReal(out.value, 0.0, 1.0, ignored);
}

using ValueHandler = std::function<bool(const std::string&, RenderOptions&)>;

struct ValueOption {
  const char* what;  // for the error message
  ValueHandler apply;
};

ValueHandler storeText(std::string RenderOptions::*field) {
  return [field](const std::string& v, RenderOptions& o) {
    o.*field = v;
    return !v.empty();
  };
}

ValueHandler storeSetting(bool normalized) {
  return [normalized](const std::string& v, RenderOptions& o) {
    ParameterSetting s;
    if (!parseSetting(v, normalized, s)) return false;
    o.settings.push_back(s);
    return true;
  };
}

bool storeRate(const std::string& v, RenderOptions& o) {
  long long n = 0;
  if (!parseWhole(v, kMinSampleRate, kMaxSampleRate, n)) return false;
  o.sampleRate = static_cast<uint32_t>(n);
  return true;
}

bool storeBlock(const std::string& v, RenderOptions& o) {
  long long n = 0;
  if (!parseWhole(v, 1, HostedPlugin::kMaxBlockSize, n)) return false;
  o.blockSize = static_cast<int32_t>(n);
  return true;
}

bool storePrecision(const std::string& v, RenderOptions& o) {
  if (v != "single" && v != "double") return false;
  o.precision = v == "double" ? Precision::Double : Precision::Single;
  return true;
}

bool storeFormat(const std::string& v, RenderOptions& o) {
  if (v == "16")
    o.format = SampleFormat::Int16;
  else if (v == "24")
    o.format = SampleFormat::Int24;
  else if (v == "float" || v == "32f")
    o.format = SampleFormat::Float32;
  else
    return false;
  return true;
}

bool storeTail(const std::string& v, RenderOptions& o) {
  double seconds = 0.0;
  if (!parseReal(v, 0.0, kMaxTailSeconds, seconds)) return false;
  o.tailSeconds = seconds;
  return true;
}

bool storeLv2(const std::string& v, RenderOptions& o) {
  o.pluginPath = v;
  o.lv2 = true;
  return !v.empty();
}

bool storeMaxLength(const std::string& v, RenderOptions& o) {
  return parseReal(v, 1.0, kMaxRenderSeconds, o.maxSeconds);
}

const std::map<std::string, ValueOption>& valueOptions() {
  static const std::map<std::string, ValueOption> table = {
      {"--plugin", {"a plug-in file", storeText(&RenderOptions::pluginPath)}},
      {"--lv2", {"an LV2 plug-in URI", storeLv2}},
      {"--rate", {"a sample rate from 8000 to 768000 Hz", storeRate}},
      {"--block", {"a block size from 1 to 65536 frames", storeBlock}},
      {"--program", {"a program number or name", storeText(&RenderOptions::program)}},
      {"--load-state", {"a state file", storeText(&RenderOptions::loadState)}},
      {"--save-state", {"a state file", storeText(&RenderOptions::saveState)}},
      {"--set", {"NAME=VALUE", storeSetting(false)}},
      {"--set-normalized", {"NAME=VALUE with a value from 0 to 1", storeSetting(true)}},
      {"--precision", {"single or double", storePrecision}},
      {"--format", {"16, 24 or float", storeFormat}},
      {"--tail", {"a tail from 0 to 3600 seconds", storeTail}},
      {"--max-length", {"a length from 1 to 86400 seconds", storeMaxLength}},
  };
  return table;
}

const std::map<std::string, std::string>& shortNames() {
  static const std::map<std::string, std::string> table = {
      {"-p", "--plugin"}, {"-r", "--rate"},  {"-b", "--block"}, {"-s", "--set"},
      {"-f", "--format"}, {"-q", "--quiet"}, {"-h", "--help"},
  };
  return table;
}

}  // namespace

bool parseRenderOptions(const std::vector<std::string>& args, RenderOptions& options,
                        std::string& error) {
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (arg.size() < 2 || arg[0] != '-') {
      files.push_back(arg);
      continue;
    }
    if (arg == "--") {
      files.insert(files.end(), args.begin() + static_cast<long>(i) + 1, args.end());
      break;
    }
    std::string value;
    bool inlineValue = false;
    const size_t equals = arg.find('=');
    if (arg.rfind("--", 0) == 0 && equals != std::string::npos) {
      value = arg.substr(equals + 1);
      arg = arg.substr(0, equals);
      inlineValue = true;
    }
    if (auto s = shortNames().find(arg); s != shortNames().end()) arg = s->second;

    if (arg == "--quiet" || arg == "--list" || arg == "--help") {
      if (inlineValue) {
        error = arg + " takes no value";
        return false;
      }
      if (arg == "--quiet")
        options.quiet = true;
      else if (arg == "--list")
        options.list = true;
      else
        options.help = true;
      continue;
    }
    auto option = valueOptions().find(arg);
    if (option == valueOptions().end()) {
      error = "unknown option " + args[i];
      return false;
    }
    if (!inlineValue) {
      if (i + 1 >= args.size()) {
        error = arg + " needs " + option->second.what;
        return false;
      }
      value = args[++i];
    }
    if (!option->second.apply(value, options)) {
      error = arg + " needs " + option->second.what + ", not \"" + value + "\"";
      return false;
    }
  }
  if (options.help) return true;
  if (options.list) {
    if (!files.empty()) {
      error = "--list takes no files";
      return false;
    }
    return true;
  }
  if (files.size() != 2) {
    error = files.size() < 2 ? "give a MIDI file and an output WAV file"
                             : "too many files: " + files[2];
    return false;
  }
  options.midiPath = files[0];
  options.outputPath = files[1];
  return true;
}

std::string renderUsage() {
  return R"(Usage: brisalonde-render [options] INPUT.mid OUTPUT.wav
       brisalonde-render [--plugin FILE] [--rate HZ] --list

Plays a Standard MIDI File (format 0 or 1) through a VST 2 instrument and writes the audio
to a WAV file, each event at its exact frame.

  -p, --plugin FILE           the VST 2 plug-in binary (default: Brisalonde beside this program)
      --lv2 URI               an installed LV2 instrument instead (found through LV2_PATH);
                              --program then names one of its presets by its label
  -r, --rate HZ               sample rate, 8000 to 768000 (default 48000)
  -b, --block FRAMES          frames per processing call, 1 to 65536 (default 512)
      --program N|NAME        factory program by number (from 0) or name
      --load-state FILE       restore a saved state chunk before rendering
      --save-state FILE       write the plug-in's state chunk after rendering
  -s, --set NAME=VALUE        set a parameter in its own units (as typed into a host),
                              NAME being its name or number; repeatable
      --set-normalized NAME=X set a parameter to a normalized value from 0 to 1
      --precision single|double   processing precision (default single)
  -f, --format 16|24|float    output samples (default 24)
      --tail SECONDS          audio after the last event (default: the plug-in's reported
                              tail, or 2 s when it reports none)
      --max-length SECONDS    refuse renders longer than this (default 3600)
  -q, --quiet                 print nothing but errors
      --list                  show the plug-in's programs and parameters, then stop
  -h, --help                  show this text

Settings apply in this order: program, state, parameters. A progress bar appears on a
terminal for long renders; the summary (length, peak, RMS, realtime factor) follows.
Exit status: 0 done, 1 failed, 2 wrong command line, 3 the plug-in crashed.
)";
}
