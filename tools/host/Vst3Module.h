// Loading a VST 3 module, from its bundle folder or its binary, and reaching its factory: the
// module's own entry (ModuleEntry on Linux, InitDll on Windows) runs first and its exit last.
#pragma once

#include <string>

#include "vst3/Vst3Factory.h"

class Vst3Module {
 public:
  Vst3Module() = default;
  ~Vst3Module();
  Vst3Module(const Vst3Module&) = delete;
  Vst3Module& operator=(const Vst3Module&) = delete;

  // `path` is a "X.vst3" bundle folder (the binary for this platform inside it is used) or a
  // binary. On failure returns false and error() says why.
  bool load(const std::string& path);
  void unload();  // releases the factory, calls the module's exit, unloads

  vst3::IPluginFactory* factory() const { return factory_; }
  const std::string& binaryPath() const { return binary_; }
  const std::string& error() const { return error_; }

 private:
  bool fail(const std::string& reason);

  void* handle_ = nullptr;
  bool entered_ = false;
  vst3::IPluginFactory* factory_ = nullptr;
  std::string binary_;
  std::string error_;
};

// The binary of a bundle folder for this platform: Contents/x86_64-linux/X.so or
// Contents/x86_64-win/X.vst3, X being the bundle's name without ".vst3". A path that is not
// a folder comes back unchanged.
std::string vst3BinaryPath(const std::string& path);
