// Platform module loading for our hosts.
#include "tools/host/PluginModule.h"

#include "tools/host/Vst3Effect.h"
#include "tools/host/Vst3Module.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>

#include "tools/lv2host/Lv2Effect.h"
#endif

PluginModule::~PluginModule() {
  unload();
}

static bool endsWith(const std::string& original, const std::string& suffix) {
  std::string path = original;
  while (!path.empty() && (path.back() == '/' || path.back() == '\\'))
    path.pop_back();
  return path.size() > suffix.size() &&
         path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool namesVst3Module(const std::string& path) {
  return endsWith(path, ".vst3");
}

bool namesLv2Bundle(const std::string& path) {
  return endsWith(path, ".lv2");
}

bool PluginModule::loadVst3(const std::string& path) {
  vst3_ = std::make_unique<Vst3Module>();
  if (!vst3_->load(path)) {
    error_ = vst3_->error();
    vst3_.reset();
    return false;
  }
  // One module per process: the validator and the render tool load one plug-in each.
  setVst3EffectModule(vst3_.get());
  entry_ = vst3EffectMain;
  return true;
}

#if defined(_WIN32)

bool PluginModule::loadLv2(const std::string& path) {
  error_ = "cannot load " + path + " (LV2 bundles are hosted on Linux only)";
  return false;
}

static std::string lastErrorText() {
  const DWORD code = GetLastError();
  char buffer[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                 buffer, sizeof buffer - 1, nullptr);
  std::string text(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
    text.pop_back();
  return "error " + std::to_string(code) + (text.empty() ? "" : ": " + text);
}

bool PluginModule::load(const std::string& path) {
  unload();
  path_ = path;
  if (namesVst3Module(path)) return loadVst3(path);
  if (namesLv2Bundle(path)) return loadLv2(path);
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) {
    error_ = "cannot load " + path + " (" + lastErrorText() + ")";
    return false;
  }
  handle_ = module;
  auto symbol = GetProcAddress(module, "VSTPluginMain");
  if (symbol == nullptr) symbol = GetProcAddress(module, "main");
  if (symbol == nullptr) {
    error_ = path + " exports neither VSTPluginMain nor main";
    unload();
    return false;
  }
  entry_ = reinterpret_cast<VstPluginMainProc>(reinterpret_cast<void*>(symbol));
  return true;
}

void PluginModule::unload() {
  if (vst3_ != nullptr) {
    setVst3EffectModule(nullptr);
    vst3_.reset();
  }
  if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
  handle_ = nullptr;
  entry_ = nullptr;
}

#else

bool PluginModule::loadLv2(const std::string& path) {
  if (!selectLv2EffectBundle(path, error_)) return false;
  // One bundle per process, as for VST 3.
  lv2_ = true;
  entry_ = lv2EffectMain;
  return true;
}

bool PluginModule::load(const std::string& path) {
  unload();
  path_ = path;
  if (namesVst3Module(path)) return loadVst3(path);
  if (namesLv2Bundle(path)) return loadLv2(path);
  // A bare file name would make dlopen search the library path instead of the folder.
  const std::string target = path.find('/') == std::string::npos ? "./" + path : path;
  handle_ = dlopen(target.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* why = dlerror();
    error_ = "cannot load " + path + " (" + (why != nullptr ? why : "unknown error") + ")";
    return false;
  }
  void* symbol = dlsym(handle_, "VSTPluginMain");
  if (symbol == nullptr) symbol = dlsym(handle_, "main");
  if (symbol == nullptr) {
    error_ = path + " exports neither VSTPluginMain nor main";
    unload();
    return false;
  }
  entry_ = reinterpret_cast<VstPluginMainProc>(symbol);
  return true;
}

void PluginModule::unload() {
  if (vst3_ != nullptr) {
    setVst3EffectModule(nullptr);
    vst3_.reset();
  }
  if (lv2_) clearLv2EffectBundle();
  lv2_ = false;
  if (handle_ != nullptr) dlclose(handle_);
  handle_ = nullptr;
  entry_ = nullptr;
}

#endif
