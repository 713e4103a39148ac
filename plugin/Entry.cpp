// The library's one export, VSTPluginMain, and on Windows the module-attach handler.
#include <new>

#include "plugin/PluginInstance.h"

#if defined(_WIN32)
#include <windows.h>

#include "editor/ModuleHandle.h"
#define BRISALONDE_EXPORT extern "C" __declspec(dllexport)
#else
#define BRISALONDE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

BRISALONDE_EXPORT AEffect* VSTPluginMain(audioMasterCallback hostCallback) {
  if (hostCallback == nullptr) return nullptr;
  if (hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
  auto* instance = new (std::nothrow) PluginInstance(hostCallback);
  return instance == nullptr ? nullptr : &instance->effect;
}

#if defined(_WIN32)
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) moduleInstance = module;
  return TRUE;
}
#endif
