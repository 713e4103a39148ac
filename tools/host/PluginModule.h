// Loading a VST 2 plug-in binary and finding its entry point, on Linux and Windows.
#pragma once

#include <string>

#include "plugin/vst2.h"

using VstPluginMainProc = AEffect* (*)(audioMasterCallback);

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
  const std::string& error() const { return error_; }
  const std::string& path() const { return path_; }

 private:
  void* handle_ = nullptr;
  VstPluginMainProc entry_ = nullptr;
  std::string error_;
  std::string path_;
};
