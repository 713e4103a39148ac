// brisalonde-snapshot: opens the plug-in's editor in a window of its own, as a host does, and
// saves what the editor painted as a PNG.
//
//   brisalonde-snapshot [--plugin PATH] [--appearance original|vintage|silver] [--program N]
//                       [--set ID=VALUE]... [--press X,Y] OUTPUT.png
//
// --skin is the older name of --appearance and still works, so existing scripts keep running.
// The state is set through the plug-in's own interface before the editor opens: the program,
// the appearance (through the state chunk), then single normalized values. --press holds the
// mouse button down at a client point while the picture is taken, to show a drag.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/host/PluginModule.h"
#include "tools/snapshot/EditorPhoto.h"
#include "tools/snapshot/PngFile.h"

namespace {

constexpr size_t kChunkSize = 148;
constexpr size_t kChunkSkinOffset = 144;

struct ParamSetting {
  int32_t id;
  float value;
};

struct Options {
  std::string plugin;
  int32_t skin = -1;
  int32_t program = -1;
  std::vector<ParamSetting> settings;
  PressPoint press;
  std::string output;
};

intptr_t hostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

int usage(const char* message) {
  std::fprintf(stderr,
               "%s\nusage: brisalonde-snapshot [--plugin PATH] "
               "[--appearance original|vintage|silver] [--program N] [--set ID=VALUE]... "
               "[--press X,Y] OUTPUT.png\n",
               message);
  return 2;
}

int32_t skinNamed(const std::string& name) {
  if (name == "original") return 0;
  if (name == "vintage") return 1;
  if (name == "silver") return 2;
  return -1;
}

// Returns an error text, or null when the arguments are good.
const char* parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--plugin" && hasValue) {
      options.plugin = argv[++i];
    } else if ((arg == "--appearance" || arg == "--skin") && hasValue) {
      options.skin = skinNamed(argv[++i]);
      if (options.skin < 0) return "unknown appearance: use original, vintage or silver";
    } else if (arg == "--program" && hasValue) {
      options.program = std::atoi(argv[++i]);
      if (options.program < 0 || options.program > 4) return "program must be 0 to 4";
    } else if (arg == "--set" && hasValue) {
      ParamSetting setting{};
      if (std::sscanf(argv[++i], "%d=%f", &setting.id, &setting.value) != 2 || setting.id < 0 ||
          setting.id > 15)
        return "--set takes ID=VALUE with ID 0 to 15";
      options.settings.push_back(setting);
    } else if (arg == "--press" && hasValue) {
      if (std::sscanf(argv[++i], "%d,%d", &options.press.x, &options.press.y) != 2)
        return "--press takes X,Y";
      options.press.held = true;
    } else if (!arg.empty() && arg[0] != '-' && options.output.empty()) {
      options.output = arg;
    } else {
      return "unexpected argument";
    }
  }
  if (options.output.empty()) return "no output file";
  if (options.plugin.empty()) options.plugin = defaultPluginPath();
  return nullptr;
}

void selectSkin(AEffect* effect, int32_t skin) {
  void* chunk = nullptr;
  if (effect->dispatcher(effect, effGetChunk, 0, 0, &chunk, 0.0f) != kChunkSize) return;
  unsigned char bytes[kChunkSize];
  std::memcpy(bytes, chunk, kChunkSize);
  for (size_t b = 0; b < 4; ++b)
    bytes[kChunkSkinOffset + b] = static_cast<unsigned char>(skin >> (8 * b));
  effect->dispatcher(effect, effSetChunk, 0, kChunkSize, bytes, 0.0f);
}

int snapshot(AEffect* effect, const Options& options) {
  if (options.program >= 0)
    effect->dispatcher(effect, effSetProgram, 0, options.program, nullptr, 0);
  if (options.skin >= 0) selectSkin(effect, options.skin);
  for (const ParamSetting& setting : options.settings)
    effect->setParameter(effect, setting.id, setting.value);

  Capture capture;
  std::string error;
  if (!photographEditor(effect, options.press, capture, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  if (!writePng(options.output, capture)) {
    std::fprintf(stderr, "cannot write %s\n", options.output.c_str());
    return 1;
  }
  std::printf("%s: %dx%d\n", options.output.c_str(), capture.width, capture.height);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const char* error = parse(argc, argv, options)) return usage(error);
  PluginModule module;
  if (!module.load(options.plugin)) {
    std::fprintf(stderr, "%s\n", module.error().c_str());
    return 1;
  }
  AEffect* effect = module.entry()(hostCallback);
  if (effect == nullptr) {
    std::fprintf(stderr, "VSTPluginMain returned null\n");
    return 1;
  }
  const int status = snapshot(effect, options);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
  return status;
}
