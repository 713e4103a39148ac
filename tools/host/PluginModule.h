// Loading a VST 2 plug-in binary and finding its entry point, on Linux and Windows. A VST 3
// bundle (or its binary, named X.vst3 on Windows) loads too: its entry point then makes
// instances of its first audio module class behind the VST 2 record (see Vst3Effect.h). So
// does an LV2 bundle on Linux, with instances of its first plug-in (see Lv2Effect.h).
#pragma once

#include <memory>
#include <string>

#include "plugin/vst2.h"
#include "tools/host/Vst3Module.h"

using VstPluginMainProc = AEffect* (*)(audioMasterCallback);

// Whether `path` names a VST 3 module: a bundle folder, or a Windows binary named X.vst3.
bool namesVst3Module(const std::string& path);
// Whether `path` names an LV2 bundle: a folder named X.lv2.
bool namesLv2Bundle(const std::string& path);

class PluginModule {
 public:
  PluginModule() = default;
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  // Loads the binary and resolves VSTPluginMain, or the older entry name "main".
  // On failure returns false and error() says why.
  bool load(const std::string& path);
  void unload();

  VstPluginMainProc entry() const { return entry_; }
  bool isVst3() const { return vst3_ != nullptr; }
  bool isLv2() const { return lv2_; }
  const std::string& error() const { return error_; }
  const std::string& path() const { return path_; }

 private:
  bool loadVst3(const std::string& path);
  bool loadLv2(const std::string& path);

  std::unique_ptr<Vst3Module> vst3_;
  bool lv2_ = false;
  void* handle_ = nullptr;
  VstPluginMainProc entry_ = nullptr;
  std::string error_;
  std::string path_;
};
