// Platform loading of VST 3 modules for our hosts.
#include "tools/host/Vst3Module.h"

#include <sys/stat.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

bool isFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == S_IFDIR;
}

template <typename Proc>
Proc symbolAs(void* handle, const char* name) {
#if defined(_WIN32)
  return reinterpret_cast<Proc>(
      reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name)));
#else
  return reinterpret_cast<Proc>(dlsym(handle, name));
#endif
}

}  // namespace

std::string vst3BinaryPath(const std::string& path) {
  if (!isFolder(path)) return path;
  std::string folder = path;
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\'))
    folder.pop_back();
  const size_t slash = folder.find_last_of("/\\");
  std::string name = slash == std::string::npos ? folder : folder.substr(slash + 1);
  const std::string suffix = ".vst3";
  if (name.size() > suffix.size() && name.ends_with(suffix))
    name.resize(name.size() - suffix.size());
#if defined(_WIN32)
  return folder + "/Contents/x86_64-win/" + name + ".vst3";
#else
  return folder + "/Contents/x86_64-linux/" + name + ".so";
#endif
}

Vst3Module::~Vst3Module() {
  unload();
}

bool Vst3Module::fail(const std::string& reason) {
  error_ = reason;
  unload();
  return false;
}

bool Vst3Module::load(const std::string& path) {
  unload();
  binary_ = vst3BinaryPath(path);
#if defined(_WIN32)
  handle_ = LoadLibraryA(binary_.c_str());
  if (handle_ == nullptr)
    return fail("cannot load " + binary_ + " (error " + std::to_string(GetLastError()) + ")");
  if (auto init = symbolAs<vst3::InitDllProc>(handle_, "InitDll")) {
    if (!init()) return fail(binary_ + ": InitDll failed");
    entered_ = true;
  }
#else
  const std::string target = binary_.find('/') == std::string::npos ? "./" + binary_ : binary_;
  handle_ = dlopen(target.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* why = dlerror();
    return fail("cannot load " + binary_ + " (" + (why != nullptr ? why : "unknown error") + ")");
  }
  if (auto entry = symbolAs<vst3::ModuleEntryProc>(handle_, "ModuleEntry")) {
    if (!entry(handle_)) return fail(binary_ + ": ModuleEntry failed");
    entered_ = true;
  }
#endif
  auto getFactory = symbolAs<vst3::GetPluginFactoryProc>(handle_, "GetPluginFactory");
  if (getFactory == nullptr) return fail(binary_ + " does not export GetPluginFactory");
  factory_ = getFactory();
  if (factory_ == nullptr) return fail(binary_ + ": GetPluginFactory returned no factory");
  return true;
}

void Vst3Module::unload() {
  if (factory_ != nullptr) factory_->release();
  factory_ = nullptr;
  if (handle_ == nullptr) return;
#if defined(_WIN32)
  if (entered_)
    if (auto exit = symbolAs<vst3::ExitDllProc>(handle_, "ExitDll")) exit();
  FreeLibrary(static_cast<HMODULE>(handle_));
#else
  if (entered_)
    if (auto exit = symbolAs<vst3::ModuleExitProc>(handle_, "ModuleExit")) exit();
  dlclose(handle_);
#endif
  handle_ = nullptr;
  entered_ = false;
}
